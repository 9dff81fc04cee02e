#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <functional>
#include <random>
#include <vector>

namespace brindo::sample {

// Every picture is drawn in design units on a 110 x 212 canvas; the painter
// scales them to the requested output size.
inline constexpr double kCanvasWidth = 110.0;
inline constexpr double kCanvasHeight = 212.0;

// One drawn picture: a layer image, a frame, or the base figure.
using Piece = std::function<void(QPainter&)>;

// Dark ink used for every outline.
inline const QColor kInk{62, 40, 32};
inline constexpr double kLineWidth = 1.2;

// Size of the output images at the given scale factor.
QSize canvasSize(double scale);

// Draws a piece onto a transparent canvas-sized image.
QImage drawPicture(const Piece& piece, double scale);

// The whole canvas in design units, a little larger so that nothing at the
// edge stays transparent after rounding.
QRectF wholeCanvas();

QPen outlinePen(double width = kLineWidth, const QColor& colour = kInk);
// Fills a shape and traces its outline.
void fillOutlined(QPainter& painter, const QPainterPath& shape, const QColor& fill,
                  double width = kLineWidth);
void fillOutlined(QPainter& painter, const QRectF& rectangle, const QColor& fill,
                  double width = kLineWidth);
// A rounded stroke of the given width with an outline: arms, legs, sleeves.
void drawLimb(QPainter& painter, QPointF from, QPointF to, double width, const QColor& fill);
// An open stroke in one colour, with round ends.
void strokeLine(QPainter& painter, const QPainterPath& line, const QColor& colour, double width);
QPainterPath ellipsePath(QPointF centre, double radiusX, double radiusY);
QPainterPath polygonPath(std::initializer_list<QPointF> points);
// first, first + step, ... while below limit.
std::vector<double> spaced(double first, double limit, double step);
// A heart with its tip `size` below the centre.
QPainterPath heartPath(QPointF centre, double size);

// Fixed-seed generator whose numbers are the same on every platform (the
// standard distributions are not).
class FixedRandom {
public:
    explicit FixedRandom(unsigned seed) : engine_(seed) {}
    double between(double low, double high);
    // A point with x in [left, right) and y in [top, bottom), drawn in a
    // fixed order whatever the compiler (y first, as the sample pictures
    // have always been drawn).
    QPointF pointIn(double left, double right, double top, double bottom);

private:
    std::mt19937 engine_;
};

} // namespace brindo::sample
