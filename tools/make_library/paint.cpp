#include "paint.h"

#include <cmath>

namespace brindo::sample {

QSize canvasSize(double scale) {
    return {static_cast<int>(std::lround(kCanvasWidth * scale)),
            static_cast<int>(std::lround(kCanvasHeight * scale))};
}

QImage drawPicture(const Piece& piece, double scale) {
    QImage image(canvasSize(scale), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    piece(painter);
    painter.end();
    return image;
}

QRectF wholeCanvas() {
    return {-1.0, -1.0, kCanvasWidth + 2.0, kCanvasHeight + 2.0};
}

QPen outlinePen(double width, const QColor& colour) {
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void fillOutlined(QPainter& painter, const QPainterPath& shape, const QColor& fill, double width) {
    painter.setBrush(fill);
    if (width > 0.0) {
        painter.setPen(outlinePen(width));
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.drawPath(shape);
}

void fillOutlined(QPainter& painter, const QRectF& rectangle, const QColor& fill, double width) {
    QPainterPath shape;
    shape.addRect(rectangle);
    fillOutlined(painter, shape, fill, width);
}

void drawLimb(QPainter& painter, QPointF from, QPointF to, double width, const QColor& fill) {
    QPainterPath line(from);
    line.lineTo(to);
    strokeLine(painter, line, kInk, width + 2.0 * kLineWidth);
    strokeLine(painter, line, fill, width);
}

void strokeLine(QPainter& painter, const QPainterPath& line, const QColor& colour, double width) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(outlinePen(width, colour));
    painter.drawPath(line);
}

QPainterPath ellipsePath(QPointF centre, double radiusX, double radiusY) {
    QPainterPath path;
    path.addEllipse(centre, radiusX, radiusY);
    return path;
}

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath heartPath(QPointF centre, double size) {
    QPainterPath heart(centre + QPointF(0.0, size));
    heart.cubicTo(centre + QPointF(-size * 1.6, -size * 0.2), centre + QPointF(-size * 0.6, -size),
                  centre + QPointF(0.0, -size * 0.3));
    heart.cubicTo(centre + QPointF(size * 0.6, -size), centre + QPointF(size * 1.6, -size * 0.2),
                  centre + QPointF(0.0, size));
    return heart;
}

std::vector<double> spaced(double first, double limit, double step) {
    std::vector<double> values;
    for (int i = 0; first + i * step < limit; ++i) {
        values.push_back(first + i * step);
    }
    return values;
}

double FixedRandom::between(double low, double high) {
    constexpr double kRange = 4294967296.0; // 2^32, the span of mt19937
    return low + (high - low) * (static_cast<double>(engine_()) / kRange);
}

QPointF FixedRandom::pointIn(double left, double right, double top, double bottom) {
    const double y = between(top, bottom);
    const double x = between(left, right);
    return {x, y};
}

} // namespace brindo::sample
