#include "hair.h"

#include <QPolygonF>
#include <QTransform>
#include <cmath>
#include <numbers>

namespace brindo::sample {

namespace {

constexpr double kMiddle = 55.0;

QPainterPath mirrored(const QPainterPath& path) {
    return QTransform(-1.0, 0.0, 0.0, 1.0, 2.0 * kMiddle, 0.0).map(path);
}

QPainterPath withMirror(const QPainterPath& leftSide) {
    return leftSide.united(mirrored(leftSide));
}

// Hair over the top of the head, down to `sideBottom` at both sides, with the
// fringe running from the right temple to the left one.
QPainterPath dome(double sideBottom, double halfWidth, const QPolygonF& fringe) {
    constexpr double kFaceSide = 25.0;
    QPainterPath path({kMiddle - halfWidth, sideBottom});
    path.cubicTo(kMiddle - halfWidth - 4.0, -4.0, kMiddle + halfWidth + 4.0, -4.0,
                 kMiddle + halfWidth, sideBottom);
    path.lineTo(kMiddle + kFaceSide, sideBottom);
    for (const QPointF& point : fringe) {
        path.lineTo(point);
    }
    path.lineTo(kMiddle - kFaceSide, sideBottom);
    path.closeSubpath();
    return path;
}

QPolygonF zigzagFringe(double top, double bottom, int spikes) {
    QPolygonF points;
    for (int i = 0; i <= 2 * spikes; ++i) {
        const double x = 80.0 - 50.0 * i / (2.0 * spikes);
        points << QPointF(x, i % 2 == 0 ? top : bottom);
    }
    return points;
}

// Fills a mass of hair and gives it strands and a shine.
void drawHairMass(QPainter& painter, const QPainterPath& shape, const QColor& colour,
                  const QPainterPath& strands) {
    fillOutlined(painter, shape, colour);
    painter.save();
    painter.setClipPath(shape);
    strokeLine(painter, strands, colour.darker(130), 0.9);
    QColor shine = colour.lighter(150);
    shine.setAlpha(150);
    QPainterPath arc({38.0, 14.0});
    arc.quadTo(kMiddle, 4.0, 72.0, 14.0);
    strokeLine(painter, arc, shine, 2.4);
    painter.restore();
}

// Strand lines from the crown down towards each point.
QPainterPath strandsTowards(const QPolygonF& ends) {
    QPainterPath strands;
    for (const QPointF& end : ends) {
        strands.moveTo(kMiddle + (end.x() - kMiddle) * 0.3, 6.0);
        strands.quadTo(QPointF(kMiddle + (end.x() - kMiddle) * 0.9, end.y() * 0.6), end);
    }
    return strands;
}

void drawDomeStyle(QPainter& painter, const QColor& colour, const QPainterPath& shape,
                   const QPolygonF& fringe) {
    drawHairMass(painter, shape, colour, strandsTowards(fringe));
}

void shortFront(QPainter& painter, const QColor& colour) {
    const QPolygonF fringe = zigzagFringe(28.0, 34.0, 4);
    drawDomeStyle(painter, colour, dome(42.0, 29.0, fringe), fringe);
}

void curlyFront(QPainter& painter, const QColor& colour) {
    const QPolygonF fringe = zigzagFringe(30.0, 33.0, 5);
    QPainterPath shape = dome(44.0, 28.0, fringe);
    for (const double angle : spaced(150.0, 400.0, 20.0)) {
        const double radians = angle * std::numbers::pi / 180.0;
        const QPointF centre(kMiddle + 27.0 * std::cos(radians), 30.0 + 24.0 * std::sin(radians));
        if (centre.y() < 44.0) {
            shape = shape.united(ellipsePath(centre, 7.0, 7.0));
        }
    }
    drawDomeStyle(painter, colour, shape.simplified(), fringe);
}

void bobFront(QPainter& painter, const QColor& colour) {
    const QPolygonF fringe{{80.0, 33.0}, {67.0, 34.0}, {55.0, 34.0}, {43.0, 34.0}, {30.0, 33.0}};
    QPainterPath shape = dome(72.0, 31.0, fringe);
    drawDomeStyle(painter, colour, shape,
                  QPolygonF(fringe) << QPointF(24.0, 72.0) << QPointF(86.0, 72.0));
}

QPainterPath frontStrand() {
    QPainterPath strand({24.0, 40.0});
    strand.quadTo(19.0, 70.0, 27.0, 98.0);
    strand.lineTo(36.0, 95.0);
    strand.quadTo(31.0, 70.0, 32.0, 42.0);
    strand.closeSubpath();
    return strand;
}

void longFront(QPainter& painter, const QColor& colour) {
    const QPolygonF fringe{{80.0, 40.0}, {72.0, 31.0}, {60.0, 27.0}, {46.0, 30.0}, {34.0, 35.0}};
    const QPainterPath shape = dome(44.0, 29.0, fringe).united(withMirror(frontStrand()));
    drawDomeStyle(painter, colour, shape.simplified(),
                  QPolygonF(fringe) << QPointF(30.0, 96.0) << QPointF(80.0, 96.0));
}

void longBack(QPainter& painter, const QColor& colour) {
    QPainterPath shape({23.0, 40.0});
    shape.cubicTo(18.0, -6.0, 92.0, -6.0, 87.0, 40.0);
    shape.lineTo(91.0, 118.0);
    for (int wave = 0; wave < 4; ++wave) {
        const double x = 91.0 - (wave + 1) * 18.0;
        shape.quadTo(x + 9.0, 124.0, x, 118.0);
    }
    shape.closeSubpath();
    const QPolygonF ends{{24.0, 116.0}, {40.0, 118.0}, {70.0, 118.0}, {86.0, 116.0}};
    drawHairMass(painter, shape, colour, strandsTowards(ends));
}

void pigtailsFront(QPainter& painter, const QColor& colour) {
    const QPolygonF fringe{{80.0, 36.0}, {74.0, 30.0}, {66.0, 33.0}, {58.0, 27.0},
                           {50.0, 33.0}, {40.0, 30.0}, {30.0, 36.0}};
    drawDomeStyle(painter, colour, dome(44.0, 29.0, fringe), fringe);
}

void pigtailsBack(QPainter& painter, const QColor& colour) {
    QPainterPath tail({27.0, 30.0});
    tail.cubicTo(6.0, 40.0, 2.0, 82.0, 13.0, 104.0);
    tail.cubicTo(22.0, 86.0, 28.0, 60.0, 31.0, 44.0);
    tail.closeSubpath();
    const QPainterPath tails = withMirror(tail);
    QPainterPath strands;
    for (const double x : {10.0, 18.0}) {
        strands.moveTo(24.0, 40.0);
        strands.quadTo(x - 4.0, 70.0, x + 2.0, 98.0);
    }
    drawHairMass(painter, tails, colour, strands.united(mirrored(strands)));
    for (const double x : {24.0, 2.0 * kMiddle - 24.0}) {
        fillOutlined(painter, ellipsePath({x, 38.0}, 4.0, 3.4), QColor(240, 100, 150));
    }
}

} // namespace

std::vector<HairStyle> hairStyles() {
    return {
        {QStringLiteral("Short"), QStringLiteral("Short spiky hair"), shortFront, {}},
        {QStringLiteral("Curly"), QStringLiteral("Short curly hair"), curlyFront, {}},
        {QStringLiteral("Bob"), QStringLiteral("Bob with a straight fringe"), bobFront, {}},
        {QStringLiteral("Long"), QStringLiteral("Long wavy hair"), longFront, longBack},
        {QStringLiteral("Pigtails"), QStringLiteral("Pigtails with pink hair ties"), pigtailsFront,
         pigtailsBack},
    };
}

QColor defaultHairColour() {
    return {122, 72, 40};
}

std::vector<QColor> hairVariantColours() {
    return {
        {40, 36, 40},    {72, 48, 32},    {150, 98, 56},  {150, 60, 40},   {214, 110, 50},
        {184, 100, 60},  {232, 160, 110}, {236, 196, 96}, {244, 232, 190}, {150, 150, 156},
        {232, 232, 238}, {246, 160, 190}, {226, 70, 150}, {200, 40, 50},   {130, 70, 180},
        {190, 160, 230}, {60, 110, 210},  {40, 160, 160}, {120, 210, 160}, {50, 120, 60},
    };
}

QStringList hairVariantNames() {
    return {
        QStringLiteral("Black"),
        QStringLiteral("Dark brown"),
        QStringLiteral("Light brown"),
        QStringLiteral("Auburn"),
        QStringLiteral("Ginger"),
        QStringLiteral("Copper"),
        QStringLiteral("Strawberry blonde"),
        QStringLiteral("Golden blonde"),
        QStringLiteral("Platinum blonde"),
        QStringLiteral("Grey"),
        QStringLiteral("White"),
        QStringLiteral("Pastel pink"),
        QStringLiteral("Hot pink"),
        QStringLiteral("Red"),
        QStringLiteral("Purple"),
        QStringLiteral("Lavender"),
        QStringLiteral("Blue"),
        QStringLiteral("Teal"),
        QStringLiteral("Mint green"),
        QStringLiteral("Green"),
    };
}

Piece hairFront(const HairStyle& style, const QColor& colour) {
    return [front = style.front, colour](QPainter& painter) { front(painter, colour); };
}

Piece hairBack(const HairStyle& style, const QColor& colour) {
    return [back = style.back, colour](QPainter& painter) {
        if (back) {
            back(painter, colour);
        }
    };
}

} // namespace brindo::sample
