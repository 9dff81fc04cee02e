#include "heads.h"

#include "figure.h"

#include <QLinearGradient>

namespace brindo::sample {

namespace {

using namespace body;

// Paints skin over the default face features so that the new ones replace them.
void coverFace(QPainter& painter, QPointF centre, double radiusX, double radiusY) {
    fillOutlined(painter, ellipsePath(centre, radiusX, radiusY), kSkin, 0.0);
}

enum class EyeKind { Round, Sleepy, Sparkly, Lashes };

void drawEyeball(QPainter& painter, QPointF c, const QColor& iris, double radiusX, double radiusY) {
    fillOutlined(painter, ellipsePath(c, radiusX, radiusY), Qt::white, 0.9);
    QLinearGradient shade(c + QPointF(0.0, -radiusY), c + QPointF(0.0, radiusY));
    shade.setColorAt(0.0, iris.darker(140));
    shade.setColorAt(1.0, iris.lighter(130));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawEllipse(c + QPointF(0.0, 0.4), radiusX * 0.72, radiusY * 0.72);
    fillOutlined(painter, ellipsePath(c + QPointF(0.0, 0.4), radiusX * 0.34, radiusY * 0.38), kInk,
                 0.0);
    fillOutlined(painter, ellipsePath(c + QPointF(-1.0, -1.3), radiusX * 0.22, radiusX * 0.22),
                 Qt::white, 0.0);
}

void drawEye(QPainter& painter, QPointF c, double side, EyeKind kind, const QColor& iris) {
    switch (kind) {
    case EyeKind::Round:
        drawEyeball(painter, c, iris, 4.0, 4.6);
        break;
    case EyeKind::Sleepy: {
        QPainterPath lid(c + QPointF(-4.0, 0.0));
        lid.quadTo(c + QPointF(0.0, 3.2), c + QPointF(4.0, 0.0));
        strokeLine(painter, lid, kInk, 1.4);
        break;
    }
    case EyeKind::Sparkly: {
        drawEyeball(painter, c, iris, 4.6, 5.6);
        fillOutlined(painter, ellipsePath(c + QPointF(1.4, 2.2), 0.7, 0.7), Qt::white, 0.0);
        QPainterPath lid(c + QPointF(-4.8, -2.0));
        lid.quadTo(c + QPointF(0.0, -7.6), c + QPointF(4.8, -2.0));
        strokeLine(painter, lid, kInk, 1.6);
        break;
    }
    case EyeKind::Lashes:
        drawEyeball(painter, c, iris, 4.0, 4.6);
        for (int lash = 0; lash < 3; ++lash) {
            QPainterPath line(c + QPointF(side * (1.5 + lash * 1.2), -4.2 + lash * 0.9));
            line.lineTo(c + QPointF(side * (3.0 + lash * 1.8), -6.4 + lash * 1.2));
            strokeLine(painter, line, kInk, 0.9);
        }
        break;
    }
}

Piece eyePair(EyeKind kind, const QColor& iris) {
    return [=](QPainter& painter) {
        for (const auto& [centre, side] : {std::pair{kLeftEye, -1.0}, std::pair{kRightEye, 1.0}}) {
            coverFace(painter, centre, 6.0, 5.5);
            drawEye(painter, centre, side, kind, iris);
            QPainterPath brow(centre + QPointF(-3.8, -8.6));
            brow.quadTo(centre + QPointF(0.0, -10.6), centre + QPointF(3.8, -8.6));
            strokeLine(painter, brow, QColor(96, 62, 40), 1.2);
        }
    };
}

std::vector<Piece> eyeColours(EyeKind kind, std::initializer_list<QColor> colours) {
    std::vector<Piece> pictures;
    for (const QColor& colour : colours) {
        pictures.push_back(eyePair(kind, colour));
    }
    return pictures;
}

enum class MouthKind { Smile, Grin, Lips, Surprised, Tongue, Smirk };

const QColor kMouthInside(150, 40, 56);
const QColor kTongue(236, 110, 130);

void drawOpenMouth(QPainter& painter, double size) {
    const QPointF m = kMouth;
    QPainterPath shape(m + QPointF(-size, -2.0));
    shape.lineTo(m + QPointF(size, -2.0));
    shape.quadTo(m + QPointF(0.0, size * 1.4), m + QPointF(-size, -2.0));
    fillOutlined(painter, shape, kMouthInside, 1.0);
    painter.save();
    painter.setClipPath(shape);
    fillOutlined(painter, QRectF(m.x() - size, m.y() - 2.0, 2.0 * size, 1.8), Qt::white, 0.0);
    fillOutlined(painter, ellipsePath(m + QPointF(0.0, size * 0.9), size * 0.6, size * 0.35),
                 kTongue, 0.0);
    painter.restore();
    fillOutlined(painter, shape, Qt::transparent, 1.0);
}

void drawMouth(QPainter& painter, MouthKind kind, const QColor& colour, double size) {
    const QPointF m = kMouth;
    switch (kind) {
    case MouthKind::Smile:
    case MouthKind::Tongue:
    case MouthKind::Smirk: {
        if (kind == MouthKind::Tongue) {
            fillOutlined(painter, ellipsePath(m + QPointF(1.5, 2.2), 2.2, 2.6), kTongue, 0.9);
        }
        const double tilt = kind == MouthKind::Smirk ? 2.0 : 0.0;
        QPainterPath smile(m + QPointF(-size, -1.5 + tilt));
        smile.quadTo(m + QPointF(0.0, 3.5), m + QPointF(size, -1.5 - tilt));
        strokeLine(painter, smile, kInk, 1.3);
        break;
    }
    case MouthKind::Grin:
        drawOpenMouth(painter, size);
        break;
    case MouthKind::Lips: {
        fillOutlined(painter, ellipsePath(m, size, 2.8), colour, 0.8);
        QPainterPath parting(m + QPointF(-size, 0.0));
        parting.quadTo(m + QPointF(0.0, 1.2), m + QPointF(size, 0.0));
        strokeLine(painter, parting, colour.darker(160), 0.8);
        fillOutlined(painter, ellipsePath(m + QPointF(-1.5, 1.3), 1.4, 0.6),
                     QColor(255, 255, 255, 150), 0.0);
        break;
    }
    case MouthKind::Surprised:
        fillOutlined(painter, ellipsePath(m + QPointF(0.0, 0.5), 2.6, 3.2), kMouthInside, 1.0);
        break;
    }
}

Piece mouth(MouthKind kind, const QColor& colour = {}, double size = 5.0) {
    return [=](QPainter& painter) {
        coverFace(painter, kMouth, 7.0, 4.5);
        drawMouth(painter, kind, colour, size);
    };
}

Piece glasses(const QPainterPath& lens, const QColor& frame, const QColor& glass) {
    return [=](QPainter& painter) {
        QPainterPath arms(kLeftEye + QPointF(-6.5, -1.0));
        arms.lineTo(29.5, 43.0);
        arms.moveTo(kRightEye + QPointF(6.5, -1.0));
        arms.lineTo(80.5, 43.0);
        arms.moveTo(kLeftEye + QPointF(5.0, -2.0));
        arms.quadTo(kHeadCentre + QPointF(0.0, -1.0), kRightEye + QPointF(-5.0, -2.0));
        strokeLine(painter, arms, frame, 1.4);
        for (const QPointF eye : {kLeftEye, kRightEye}) {
            painter.save();
            painter.setPen(outlinePen(1.6, frame));
            painter.setBrush(glass);
            painter.drawPath(lens.translated(eye));
            painter.restore();
        }
    };
}

QPainterPath roundedLens(double width, double height, double radius) {
    QPainterPath lens;
    lens.addRoundedRect(QRectF(-width / 2.0, -height / 2.0, width, height), radius, radius);
    return lens;
}

// The dome of a hat over the top of the head, from one side to the other at `brim`.
QPainterPath crown(double brim, double top, double halfWidth) {
    QPainterPath dome({55.0 - halfWidth, brim});
    dome.cubicTo(55.0 - halfWidth, top, 55.0 + halfWidth, top, 55.0 + halfWidth, brim);
    dome.closeSubpath();
    return dome;
}

void drawCap(QPainter& painter) {
    const QColor red(214, 56, 60);
    fillOutlined(painter, crown(27.0, -2.0, 29.0), red);
    QPainterPath seam({55.0, 6.0});
    seam.lineTo(55.0, 26.0);
    strokeLine(painter, seam, red.darker(130), 0.9);
    QPainterPath peak({24.0, 27.0});
    peak.quadTo(55.0, 20.0, 86.0, 27.0);
    peak.quadTo(55.0, 38.0, 24.0, 27.0);
    fillOutlined(painter, peak, red.darker(115));
    fillOutlined(painter, ellipsePath({55.0, 5.5}, 2.5, 1.6), red.darker(115), 0.9);
}

void drawBeanie(QPainter& painter) {
    const QColor teal(40, 150, 160);
    fillOutlined(painter, crown(26.0, -4.0, 29.5), teal);
    QPainterPath band;
    band.addRoundedRect(QRectF(24.0, 21.0, 62.0, 9.0), 3.0, 3.0);
    fillOutlined(painter, band, teal.darker(120));
    for (const double x : spaced(29.0, 84.0, 4.0)) {
        QPainterPath rib({x, 22.5});
        rib.lineTo(x, 28.5);
        strokeLine(painter, rib, teal.darker(150), 0.7);
    }
    fillOutlined(painter, ellipsePath({55.0, 4.0}, 5.5, 4.5), QColor(250, 240, 220));
}

void drawTopHat(QPainter& painter) {
    const QColor black(44, 40, 52);
    fillOutlined(painter, QRectF(40.0, 1.0, 30.0, 23.0), black);
    fillOutlined(painter, QRectF(40.0, 16.0, 30.0, 5.0), QColor(180, 40, 60), 0.9);
    fillOutlined(painter, ellipsePath({55.0, 24.0}, 25.0, 4.0), black);
}

void drawSunHat(QPainter& painter) {
    const QColor straw(236, 206, 130);
    fillOutlined(painter, ellipsePath({55.0, 24.0}, 37.0, 7.0), straw);
    fillOutlined(painter, crown(25.0, 0.0, 21.0), straw);
    fillOutlined(painter, QRectF(34.5, 17.5, 41.0, 5.0), QColor(120, 170, 230), 0.9);
    for (const QPointF petal :
         {QPointF(-2.2, 0.0), QPointF(2.2, 0.0), QPointF(0.0, -2.2), QPointF(0.0, 2.2)}) {
        fillOutlined(painter, ellipsePath(QPointF(70.0, 20.0) + petal, 1.9, 1.9), Qt::white, 0.7);
    }
    fillOutlined(painter, ellipsePath({70.0, 20.0}, 1.5, 1.5), QColor(250, 200, 40), 0.6);
}

void drawCrown(QPainter& painter) {
    const QColor gold(242, 196, 52);
    fillOutlined(painter,
                 polygonPath({{36.0, 24.0},
                              {34.0, 6.0},
                              {44.5, 15.0},
                              {55.0, 2.0},
                              {65.5, 15.0},
                              {76.0, 6.0},
                              {74.0, 24.0}}),
                 gold);
    for (const auto& [x, colour] :
         {std::pair{44.0, QColor(220, 50, 70)}, std::pair{55.0, QColor(60, 120, 220)},
          std::pair{66.0, QColor(60, 170, 90)}}) {
        fillOutlined(painter, ellipsePath({x, 19.0}, 2.2, 2.2), colour, 0.8);
    }
}

void drawPartyHat(QPainter& painter) {
    const QPainterPath cone = polygonPath({{40.0, 22.0}, {58.0, 1.0}, {70.0, 22.0}});
    fillOutlined(painter, cone, QColor(150, 90, 220));
    painter.save();
    painter.setClipPath(cone);
    for (const double y : spaced(6.0, 22.0, 6.0)) {
        fillOutlined(painter, QRectF(30.0, y, 50.0, 2.5), QColor(250, 210, 60), 0.0);
    }
    painter.restore();
    fillOutlined(painter, cone, Qt::transparent);
    fillOutlined(painter, ellipsePath({58.0, 2.5}, 3.0, 3.0), QColor(250, 110, 150), 0.9);
}

} // namespace

std::vector<VariantItem> eyes() {
    const QColor brown(120, 76, 40);
    const QColor blue(60, 120, 210);
    const QColor green(60, 150, 80);
    return {
        {QStringLiteral("Round"),
         eyeColours(EyeKind::Round, {brown, blue, green, QColor(120, 130, 144)}),
         {QStringLiteral("Round brown eyes"), QStringLiteral("Blue"), QStringLiteral("Green"),
          QStringLiteral("Grey")}},
        {QStringLiteral("Sleepy"),
         eyeColours(EyeKind::Sleepy, {kInk}),
         {QStringLiteral("Sleepy closed eyes")}},
        {QStringLiteral("Sparkly"),
         eyeColours(EyeKind::Sparkly,
                    {QColor(140, 80, 200), QColor(30, 160, 170), QColor(220, 140, 40)}),
         {QStringLiteral("Sparkly purple eyes"), QStringLiteral("Teal"), QStringLiteral("Amber")}},
        {QStringLiteral("Lashes"),
         eyeColours(EyeKind::Lashes,
                    {brown, blue, green, QColor(160, 90, 190), QColor(150, 120, 60)}),
         {QStringLiteral("Brown eyes with lashes"), QStringLiteral("Blue"), QStringLiteral("Green"),
          QStringLiteral("Violet"), QStringLiteral("Hazel")}},
    };
}

std::vector<VariantItem> mouths() {
    return {
        {QStringLiteral("Smile"),
         {mouth(MouthKind::Smile), mouth(MouthKind::Grin), mouth(MouthKind::Grin, {}, 6.5)},
         {QStringLiteral("Smile"), QStringLiteral("Grin"), QStringLiteral("Big grin")}},
        {QStringLiteral("Surprised"),
         {mouth(MouthKind::Surprised)},
         {QStringLiteral("Surprised round mouth")}},
        {QStringLiteral("Lips"),
         {mouth(MouthKind::Lips, QColor(210, 40, 60), 4.5),
          mouth(MouthKind::Lips, QColor(240, 120, 160), 4.5),
          mouth(MouthKind::Lips, QColor(240, 110, 80), 4.5),
          mouth(MouthKind::Lips, QColor(130, 40, 90), 4.5)},
         {QStringLiteral("Red lips"), QStringLiteral("Pink"), QStringLiteral("Coral"),
          QStringLiteral("Plum")}},
        {QStringLiteral("Cheeky"),
         {mouth(MouthKind::Tongue), mouth(MouthKind::Smirk)},
         {QStringLiteral("Tongue out"), QStringLiteral("Smirk")}},
    };
}

std::vector<Piece> eyewear() {
    return {
        glasses(ellipsePath({0.0, 0.0}, 6.5, 6.0), QColor(60, 50, 50), QColor(190, 230, 255, 70)),
        glasses(roundedLens(14.0, 10.0, 3.5), QColor(30, 30, 36), QColor(20, 20, 40, 220)),
        glasses(heartPath({0.0, 0.0}, 6.0), QColor(220, 50, 110), QColor(250, 120, 170, 150)),
        glasses(roundedLens(15.0, 11.0, 5.5), QColor(40, 120, 220), QColor(170, 230, 250, 120)),
    };
}

QStringList eyewearNames() {
    return {
        QStringLiteral("Round glasses"),
        QStringLiteral("Dark sunglasses"),
        QStringLiteral("Pink heart-shaped glasses"),
        QStringLiteral("Blue-framed glasses"),
    };
}

std::vector<Piece> hats() {
    return {drawCap, drawBeanie, drawTopHat, drawSunHat, drawCrown, drawPartyHat};
}

QStringList hatNames() {
    return {
        QStringLiteral("Red baseball cap"), QStringLiteral("Teal bobble hat"),
        QStringLiteral("Black top hat"),    QStringLiteral("Straw sun hat with a flower"),
        QStringLiteral("Gold crown"),       QStringLiteral("Purple party hat"),
    };
}

} // namespace brindo::sample
