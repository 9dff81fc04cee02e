#include "clothes.h"

#include "figure.h"

namespace brindo::sample {

namespace {

using namespace body;

enum class Sleeves { None, Short, Long };
enum class TopKind { Plain, Stripes, Heart, Hoodie, Dress, Jacket };

struct TopStyle {
    QColor colour;
    QColor accent;
    Sleeves sleeves = Sleeves::Short;
    TopKind kind = TopKind::Plain;
};

QPainterPath limbShape(QPointF from, QPointF to, double width) {
    QPainterPath line(from);
    line.lineTo(to);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(line).simplified();
}

QPainterPath sleevesShape(Sleeves sleeves) {
    if (sleeves == Sleeves::None) {
        return {};
    }
    const double reach = sleeves == Sleeves::Short ? 0.35 : 0.92;
    const double width = kArmWidth + 3.0;
    return limbShape(kLeftShoulder, along(kLeftShoulder, kLeftWrist, reach), width)
        .united(limbShape(kRightShoulder, along(kRightShoulder, kRightWrist, reach), width));
}

QPainterPath skirtShape(double top, double hem, double flare) {
    QPainterPath skirt({38.0, top});
    skirt.lineTo(72.0, top);
    skirt.lineTo(72.0 + flare, hem);
    for (int wave = 0; wave < 4; ++wave) {
        const double x = 72.0 + flare - (wave + 1) * (34.0 + 2.0 * flare) / 4.0;
        skirt.quadTo(x + (34.0 + 2.0 * flare) / 8.0, hem + 3.0, x, hem);
    }
    skirt.closeSubpath();
    return skirt;
}

QPainterPath topShape(const TopStyle& style) {
    const double hem = style.kind == TopKind::Dress ? kWaist : 134.0;
    QPainterPath band;
    band.addRect(0.0, 70.0, kCanvasWidth, hem - 70.0);
    QPainterPath shape = torso(0.8).intersected(band).united(sleevesShape(style.sleeves));
    if (style.kind == TopKind::Dress) {
        shape = shape.united(skirtShape(kWaist - 2.0, 166.0, 9.0));
    }
    return shape.subtracted(ellipsePath({55.0, kNeckBase - 1.0}, 6.5, 5.0)).simplified();
}

void drawStripes(QPainter& painter, const QPainterPath& clip, const QColor& colour) {
    painter.save();
    painter.setClipPath(clip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const double y : spaced(84.0, 140.0, 7.0)) {
        painter.drawRect(QRectF(0.0, y, kCanvasWidth, 3.0));
    }
    painter.restore();
}

void drawTopDetails(QPainter& painter, const TopStyle& style, const QPainterPath& shape) {
    switch (style.kind) {
    case TopKind::Plain:
        break;
    case TopKind::Stripes:
        drawStripes(painter, shape, style.accent);
        fillOutlined(painter, shape, Qt::transparent);
        break;
    case TopKind::Heart:
        fillOutlined(painter, heartPath({55.0, 104.0}, 6.0), style.accent, 0.9);
        break;
    case TopKind::Hoodie: {
        QPainterPath hood = ellipsePath({55.0, kNeckBase + 1.0}, 14.0, 5.5)
                                .subtracted(ellipsePath({55.0, kNeckBase - 1.0}, 7.5, 5.0));
        fillOutlined(painter, hood, style.colour.darker(115));
        fillOutlined(painter,
                     polygonPath({{45.0, 112.0}, {65.0, 112.0}, {69.0, 126.0}, {41.0, 126.0}}),
                     style.colour.darker(108));
        for (const double x : {51.5, 58.5}) {
            QPainterPath string({x, kNeckBase + 3.0});
            string.lineTo(x - 0.5, 97.0);
            strokeLine(painter, string, style.accent, 1.2);
        }
        break;
    }
    case TopKind::Dress:
        fillOutlined(painter, QRectF(38.0, kWaist - 5.0, 34.0, 5.0), style.accent, 0.9);
        fillOutlined(painter, heartPath({55.0, kWaist - 2.5}, 3.0), style.accent.darker(120), 0.8);
        break;
    case TopKind::Jacket: {
        fillOutlined(
            painter,
            polygonPath(
                {{50.5, kNeckBase + 1.0}, {59.5, kNeckBase + 1.0}, {58.5, 134.5}, {51.5, 134.5}}),
            QColor(250, 250, 244), 0.9);
        for (const double side : {-1.0, 1.0}) {
            fillOutlined(painter,
                         polygonPath({{55.0 + side * 4.5, kNeckBase},
                                      {55.0 + side * 11.0, kNeckBase + 2.0},
                                      {55.0 + side * 4.0, 100.0}}),
                         style.accent, 0.9);
        }
        for (const double y : spaced(104.0, 132.0, 9.0)) {
            fillOutlined(painter, ellipsePath({61.5, y}, 1.2, 1.2), style.accent, 0.6);
        }
        break;
    }
    }
}

void drawTop(QPainter& painter, const TopStyle& style) {
    const QPainterPath shape = topShape(style);
    fillOutlined(painter, shape, style.colour);
    drawTopDetails(painter, style, shape);
    if (style.sleeves == Sleeves::Long) {
        for (const auto& [shoulder, wrist] :
             {std::pair{kLeftShoulder, kLeftWrist}, std::pair{kRightShoulder, kRightWrist}}) {
            drawLimb(painter, along(shoulder, wrist, 0.86), along(shoulder, wrist, 0.92),
                     kArmWidth + 3.0, style.accent);
        }
    }
}

enum class BottomKind { Plain, Jeans, Check, Skirt };

struct BottomStyle {
    QColor colour;
    QColor accent;
    double hem = 158.0;
    BottomKind kind = BottomKind::Plain;
};

// x of the middle of a leg at height y.
double legCentre(QPointF hip, QPointF ankle, double y) {
    return along(hip, ankle, (y - hip.y()) / (ankle.y() - hip.y())).x();
}

QPainterPath legwearShape(double hem) {
    constexpr double kHalf = 7.6;
    const double left = legCentre(kLeftHip, kLeftAnkle, hem);
    const double right = legCentre(kRightHip, kRightAnkle, hem);
    return polygonPath({{38.2, kWaist - 2.0},
                        {71.8, kWaist - 2.0},
                        {73.8, 142.0},
                        {right + kHalf, hem},
                        {right - kHalf, hem},
                        {55.0, 147.0},
                        {left + kHalf, hem},
                        {left - kHalf, hem},
                        {36.2, 142.0}});
}

void drawCheck(QPainter& painter, const QPainterPath& clip, const QColor& colour) {
    painter.save();
    painter.setClipPath(clip);
    QColor line = colour;
    line.setAlpha(120);
    painter.setPen(QPen(line, 2.0));
    for (const double v : spaced(120.0, 200.0, 6.0)) {
        painter.drawLine(QLineF(0.0, v, kCanvasWidth, v));
    }
    for (const double x : spaced(30.0, 82.0, 6.0)) {
        painter.drawLine(QLineF(x, 110.0, x, 200.0));
    }
    painter.restore();
}

void drawBottom(QPainter& painter, const BottomStyle& style) {
    const QPainterPath shape = style.kind == BottomKind::Skirt
                                   ? skirtShape(kWaist - 2.0, style.hem, 7.0)
                                   : legwearShape(style.hem);
    fillOutlined(painter, shape, style.colour);
    switch (style.kind) {
    case BottomKind::Plain:
        break;
    case BottomKind::Jeans: {
        QPen stitch(style.accent, 0.6, Qt::DashLine);
        painter.setPen(stitch);
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(QLineF(legCentre(kLeftHip, kLeftAnkle, 150.0), 150.0,
                                legCentre(kLeftHip, kLeftAnkle, style.hem), style.hem - 1.0));
        painter.drawLine(QLineF(legCentre(kRightHip, kRightAnkle, 150.0), 150.0,
                                legCentre(kRightHip, kRightAnkle, style.hem), style.hem - 1.0));
        painter.drawArc(QRectF(39.0, 121.0, 12.0, 14.0), 180 * 16, 90 * 16);
        painter.drawArc(QRectF(59.0, 121.0, 12.0, 14.0), 270 * 16, 90 * 16);
        break;
    }
    case BottomKind::Check:
        drawCheck(painter, shape, style.accent);
        fillOutlined(painter, shape, Qt::transparent);
        break;
    case BottomKind::Skirt:
        for (const double x : {45.0, 55.0, 65.0}) {
            QPainterPath pleat({x, kWaist + 4.0});
            pleat.lineTo(x + (x - 55.0) * 0.5, style.hem - 1.0);
            strokeLine(painter, pleat, style.accent, 0.8);
        }
        break;
    }
    fillOutlined(painter, QRectF(38.2, kWaist - 2.0, 33.6, 4.0), style.colour.darker(115), 0.9);
}

enum class ShoeKind { Sneaker, Boot, Sandal, Party };

void drawShoe(QPainter& painter, QPointF foot, QPointF ankle, ShoeKind kind, const QColor& colour) {
    const QRectF sole(foot.x() - 9.5, foot.y() + 2.0, 19.0, 3.2);
    if (kind == ShoeKind::Boot) {
        fillOutlined(painter, QRectF(ankle.x() - 7.5, 168.0, 15.0, 30.0), colour);
        fillOutlined(painter, QRectF(ankle.x() - 8.0, 167.0, 16.0, 4.0), colour.lighter(125), 0.9);
    }
    if (kind != ShoeKind::Sandal) {
        fillOutlined(painter, ellipsePath(foot + QPointF(0.0, -0.5), 9.5, 5.5), colour);
    }
    fillOutlined(painter, sole, kind == ShoeKind::Sneaker ? QColor(Qt::white) : colour.darker(150),
                 0.9);
    switch (kind) {
    case ShoeKind::Sneaker:
        for (const double x : {-2.0, 0.0, 2.0}) {
            QPainterPath lace(foot + QPointF(x - 1.2, -3.0));
            lace.lineTo(foot + QPointF(x + 1.2, -1.5));
            strokeLine(painter, lace, Qt::white, 0.9);
        }
        break;
    case ShoeKind::Sandal:
        for (const double dx : {-3.0, 3.0}) {
            QPainterPath strap(foot + QPointF(dx - 4.0, 1.5));
            strap.quadTo(foot + QPointF(dx, -6.0), foot + QPointF(dx + 4.0, 1.5));
            strokeLine(painter, strap, kInk, 2.6);
            strokeLine(painter, strap, colour, 1.6);
        }
        break;
    case ShoeKind::Party:
        fillOutlined(painter, ellipsePath(foot + QPointF(-3.0, -2.5), 2.0, 1.0),
                     QColor(255, 255, 255, 170), 0.0);
        fillOutlined(painter, QRectF(foot.x() - 2.0, foot.y() - 6.0, 4.0, 2.2), colour.darker(130),
                     0.8);
        break;
    case ShoeKind::Boot:
        break;
    }
}

Piece shoes(ShoeKind kind, const QColor& colour) {
    return [=](QPainter& painter) {
        drawShoe(painter, kLeftFoot, kLeftAnkle, kind, colour);
        drawShoe(painter, kRightFoot, kRightAnkle, kind, colour);
    };
}

Piece top(const TopStyle& style) {
    return [=](QPainter& painter) { drawTop(painter, style); };
}

Piece bottom(const BottomStyle& style) {
    return [=](QPainter& painter) { drawBottom(painter, style); };
}

void drawScarf(QPainter& painter) {
    const QColor red(206, 58, 62);
    QPainterPath wrap = ellipsePath({55.0, kNeckBase}, 12.0, 5.5);
    QPainterPath end = polygonPath({{58.0, 82.0}, {66.0, 82.0}, {68.0, 108.0}, {60.0, 108.0}});
    for (const QPainterPath& part : {end, wrap}) {
        fillOutlined(painter, part, red);
        drawStripes(painter, part, QColor(250, 236, 200));
        fillOutlined(painter, part, Qt::transparent);
    }
}

void drawBelt(QPainter& painter) {
    fillOutlined(painter, QRectF(37.8, kWaist - 4.0, 34.4, 5.0), QColor(110, 70, 40), 0.9);
    fillOutlined(painter, QRectF(51.5, kWaist - 5.0, 7.0, 7.0), QColor(232, 190, 70), 0.9);
    fillOutlined(painter, QRectF(53.5, kWaist - 3.0, 3.0, 3.0), QColor(110, 70, 40), 0.6);
}

void drawBag(QPainter& painter) {
    QPainterPath strap({41.0, 83.0});
    strap.lineTo(77.0, 125.0);
    strokeLine(painter, strap, kInk, 3.4);
    strokeLine(painter, strap, QColor(150, 90, 160), 2.2);
    QPainterPath bag;
    bag.addRoundedRect(QRectF(68.0, 122.0, 19.0, 15.0), 3.0, 3.0);
    fillOutlined(painter, bag, QColor(170, 104, 180));
    fillOutlined(painter, polygonPath({{68.0, 123.0}, {87.0, 123.0}, {77.5, 131.0}}),
                 QColor(150, 90, 160), 0.9);
    fillOutlined(painter, ellipsePath({77.5, 130.0}, 1.5, 1.5), QColor(232, 190, 70), 0.6);
}

void drawBowTie(QPainter& painter) {
    const QColor colour(40, 110, 200);
    fillOutlined(painter, polygonPath({{55.0, 83.0}, {47.0, 78.5}, {47.0, 87.5}}), colour);
    fillOutlined(painter, polygonPath({{55.0, 83.0}, {63.0, 78.5}, {63.0, 87.5}}), colour);
    fillOutlined(painter, ellipsePath({55.0, 83.0}, 2.2, 2.5), colour.darker(130), 0.9);
}

void drawNecklace(QPainter& painter) {
    QPainterPath chain({46.0, kNeckBase});
    chain.quadTo(55.0, 96.0, 64.0, kNeckBase);
    strokeLine(painter, chain, QColor(230, 190, 60), 1.0);
    fillOutlined(painter, heartPath({55.0, 90.0}, 3.2), QColor(230, 70, 110), 0.8);
}

} // namespace

std::vector<Piece> tops() {
    return {
        top({QColor(226, 74, 64), Qt::white, Sleeves::Short, TopKind::Heart}),
        top({Qt::white, QColor(40, 60, 120), Sleeves::Long, TopKind::Stripes}),
        top({QColor(84, 170, 96), QColor(240, 240, 230), Sleeves::Long, TopKind::Hoodie}),
        top({QColor(236, 140, 190), QColor(250, 230, 120), Sleeves::Short, TopKind::Dress}),
        top({QColor(70, 110, 170), QColor(52, 82, 130), Sleeves::Long, TopKind::Jacket}),
        top({QColor(250, 208, 80), QColor(250, 250, 250), Sleeves::None, TopKind::Plain}),
    };
}

QStringList topNames() {
    return {
        QStringLiteral("Red T-shirt with a white heart"),
        QStringLiteral("White top with navy stripes"),
        QStringLiteral("Green hoodie"),
        QStringLiteral("Pink dress with a yellow sash"),
        QStringLiteral("Blue jacket over a white shirt"),
        QStringLiteral("Yellow sleeveless top"),
    };
}

std::vector<Piece> bottoms() {
    return {
        bottom({QColor(120, 140, 178), {}, 158.0, BottomKind::Plain}),
        bottom({QColor(60, 100, 170), QColor(230, 200, 120), 191.0, BottomKind::Jeans}),
        bottom({QColor(214, 60, 70), QColor(160, 40, 50), 160.0, BottomKind::Skirt}),
        bottom({QColor(190, 170, 120), {}, 176.0, BottomKind::Plain}),
        bottom({QColor(150, 96, 70), QColor(240, 220, 170), 191.0, BottomKind::Check}),
    };
}

QStringList bottomNames() {
    return {
        QStringLiteral("Blue-grey shorts"),       QStringLiteral("Blue jeans"),
        QStringLiteral("Red pleated skirt"),      QStringLiteral("Beige cropped trousers"),
        QStringLiteral("Brown checked trousers"),
    };
}

std::vector<Piece> footwear() {
    return {
        shoes(ShoeKind::Sneaker, QColor(60, 120, 220)),
        shoes(ShoeKind::Boot, QColor(130, 82, 50)),
        shoes(ShoeKind::Sandal, QColor(240, 180, 60)),
        shoes(ShoeKind::Party, QColor(210, 40, 60)),
    };
}

QStringList footwearNames() {
    return {
        QStringLiteral("Blue trainers"),
        QStringLiteral("Brown boots"),
        QStringLiteral("Yellow sandals"),
        QStringLiteral("Red party shoes"),
    };
}

std::vector<Piece> otherItems() {
    return {drawScarf, drawBelt, drawBag, drawBowTie, drawNecklace};
}

QStringList otherItemNames() {
    return {
        QStringLiteral("Red striped scarf"),
        QStringLiteral("Brown belt with a gold buckle"),
        QStringLiteral("Purple shoulder bag"),
        QStringLiteral("Blue bow tie"),
        QStringLiteral("Gold necklace with a heart"),
    };
}

} // namespace brindo::sample
