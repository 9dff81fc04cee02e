#include "figure.h"

namespace brindo::sample {

namespace body {

QPainterPath torso(double grow) {
    const double g = grow;
    QPainterPath path({44.0 - g, kNeckBase - g});
    path.lineTo(66.0 + g, kNeckBase - g);
    path.quadTo(77.0 + g, 81.0 - g, 77.5 + g, 92.0);
    path.lineTo(71.5 + g, kWaist);
    path.lineTo(73.0 + g, 142.0 + g);
    path.lineTo(37.0 - g, 142.0 + g);
    path.lineTo(38.5 - g, kWaist);
    path.lineTo(32.5 - g, 92.0);
    path.quadTo(33.0 - g, 81.0 - g, 44.0 - g, kNeckBase - g);
    path.closeSubpath();
    return path;
}

QPointF along(QPointF from, QPointF to, double t) {
    return from + (to - from) * t;
}

} // namespace body

namespace {

using namespace body;

QPainterPath bandOf(const QPainterPath& shape, double top, double bottom) {
    QPainterPath band;
    band.addRect(0.0, top, kCanvasWidth, bottom - top);
    return shape.intersected(band);
}

void drawUnderwear(QPainter& painter) {
    fillOutlined(painter, bandOf(torso(), 88.0, kWaist), QColor(250, 250, 244));
    for (const double x : {43.5, 66.5}) {
        QPainterPath strap({x, kNeckBase + 1.0});
        strap.lineTo(x, 89.0);
        strokeLine(painter, strap, QColor(250, 250, 244), 3.0);
    }
    QPainterPath pants = polygonPath({{38.5, kWaist},
                                      {71.5, kWaist},
                                      {73.5, 143.0},
                                      {61.0, 148.0},
                                      {55.0, 141.0},
                                      {49.0, 148.0},
                                      {36.5, 143.0}});
    fillOutlined(painter, pants, QColor(226, 234, 248));
}

void drawDefaultFace(QPainter& painter) {
    for (const QPointF eye : {kLeftEye, kRightEye}) {
        fillOutlined(painter, ellipsePath(eye, 2.2, 3.0), kInk, 0.0);
        fillOutlined(painter, ellipsePath(eye + QPointF(0.7, -1.0), 0.8, 0.8), Qt::white, 0.0);
    }
    QPainterPath smile(kMouth + QPointF(-4.0, -1.0));
    smile.quadTo(kMouth + QPointF(0.0, 2.5), kMouth + QPointF(4.0, -1.0));
    strokeLine(painter, smile, kInk, 1.2);
}

void drawHands(QPainter& painter) {
    fillOutlined(painter, ellipsePath(kLeftHand, 5.0, 6.0), kSkin);
    fillOutlined(painter, ellipsePath(kRightHand, 5.0, 6.0), kSkin);
}

} // namespace

void drawFigure(QPainter& painter) {
    drawLimb(painter, kLeftHip, kLeftAnkle, kLegWidth, kSkin);
    drawLimb(painter, kRightHip, kRightAnkle, kLegWidth, kSkin);
    fillOutlined(painter, ellipsePath(kLeftFoot, 8.0, 4.5), kSkin);
    fillOutlined(painter, ellipsePath(kRightFoot, 8.0, 4.5), kSkin);
    drawLimb(painter, kLeftShoulder, kLeftWrist, kArmWidth, kSkin);
    drawLimb(painter, kRightShoulder, kRightWrist, kArmWidth, kSkin);
    fillOutlined(painter, QRectF(49.0, 66.0, 12.0, 18.0), kSkin);
    fillOutlined(painter, torso(), kSkin);
    // Skin over the top edge of the body between the sides of the neck.
    fillOutlined(painter, QRectF(49.6, 76.0, 10.8, 5.0), kSkin, 0.0);
    drawUnderwear(painter);
    fillOutlined(painter, ellipsePath({28.5, 46.0}, 4.0, 5.5), kSkin);
    fillOutlined(painter, ellipsePath({81.5, 46.0}, 4.0, 5.5), kSkin);
    fillOutlined(painter, ellipsePath(kHeadCentre, kHeadRadiusX, kHeadRadiusY), kSkin);
    drawDefaultFace(painter);
    drawHands(painter);
}

void drawFigureOverlay(QPainter& painter) {
    QPainterPath nose(kNose + QPointF(-1.5, -1.5));
    nose.quadTo(kNose + QPointF(0.0, 2.0), kNose + QPointF(1.5, -1.5));
    strokeLine(painter, nose, QColor(176, 112, 88), 1.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCheek);
    painter.drawEllipse(QPointF(39.5, 57.0), 3.6, 2.2);
    painter.drawEllipse(QPointF(70.5, 57.0), 3.6, 2.2);
    drawHands(painter);
}

void drawWatermark(QPainter& painter) {
    constexpr double kBase = 207.0;
    constexpr double kBowlX = 1.6;
    constexpr double kBowlY = 2.0;
    QPainterPath word;
    const auto stem = [&](double x, double top) {
        word.moveTo(x, kBase - top);
        word.lineTo(x, kBase);
    };
    const auto bowl = [&](double x) {
        word.addEllipse({x + kBowlX, kBase - kBowlY}, kBowlX, kBowlY);
    };
    double x = 84.0;
    stem(x, 7.0); // b
    bowl(x);
    x += 4.4;
    stem(x, 4.0); // r
    word.moveTo(x, kBase - 2.5);
    word.quadTo(x + 0.4, kBase - 4.0, x + 2.4, kBase - 3.8);
    x += 3.6;
    stem(x, 4.0); // i
    word.addEllipse({x, kBase - 5.8}, 0.45, 0.45);
    x += 1.4;
    stem(x, 4.0); // n
    word.moveTo(x, kBase - 2.0);
    word.quadTo(x + 0.3, kBase - 4.0, x + 1.6, kBase - 4.0);
    word.quadTo(x + 3.0, kBase - 4.0, x + 3.0, kBase - 2.0);
    word.lineTo(x + 3.0, kBase);
    x += 4.2;
    bowl(x); // d
    stem(x + 2.0 * kBowlX, 7.0);
    x += 4.4;
    bowl(x); // o
    strokeLine(painter, word, QColor(40, 30, 60, 70), 1.7);
    strokeLine(painter, word, QColor(255, 255, 255, 160), 0.8);
}

} // namespace brindo::sample
