#pragma once

#include "paint.h"

namespace brindo::sample {

// Where the parts of the figure lie, in design units. Every layer is drawn
// against these so that it lines up with the base figure.
namespace body {
inline const QColor kSkin{246, 204, 168};
inline const QColor kCheek{240, 150, 140, 150};
inline constexpr QPointF kHeadCentre{55.0, 44.0};
inline constexpr double kHeadRadiusX = 27.0;
inline constexpr double kHeadRadiusY = 30.0;
inline constexpr QPointF kLeftEye{45.0, 46.0};
inline constexpr QPointF kRightEye{65.0, 46.0};
inline constexpr QPointF kNose{55.0, 54.0};
inline constexpr QPointF kMouth{55.0, 63.0};
inline constexpr double kNeckBase = 80.0;
inline constexpr QPointF kLeftShoulder{37.0, 88.0};
inline constexpr QPointF kRightShoulder{73.0, 88.0};
inline constexpr QPointF kLeftWrist{27.0, 133.0};
inline constexpr QPointF kRightWrist{83.0, 133.0};
inline constexpr QPointF kLeftHand{26.0, 139.0};
inline constexpr QPointF kRightHand{84.0, 139.0};
inline constexpr double kArmWidth = 9.0;
inline constexpr double kWaist = 126.0;
inline constexpr QPointF kLeftHip{47.0, 140.0};
inline constexpr QPointF kRightHip{63.0, 140.0};
inline constexpr QPointF kLeftAnkle{46.0, 193.0};
inline constexpr QPointF kRightAnkle{64.0, 193.0};
inline constexpr double kLegWidth = 12.0;
inline constexpr QPointF kLeftFoot{43.0, 198.0};
inline constexpr QPointF kRightFoot{67.0, 198.0};

// The body from the neck to the hips; clothes for the upper body follow it.
QPainterPath torso(double grow = 0.0);
// A point on the way from one point to another, `t` from 0 to 1.
QPointF along(QPointF from, QPointF to, double t);
} // namespace body

// The bare character in plain underwear, with a simple face.
void drawFigure(QPainter& painter);
// Nose, cheeks and hands, drawn above the clothes.
void drawFigureOverlay(QPainter& painter);
// Small "brindo" mark in the bottom right corner.
void drawWatermark(QPainter& painter);

} // namespace brindo::sample
