#pragma once

#include "render/coverage.h"

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace brindo {

// Source over for premultiplied ARGB32 pixels: each target pixel becomes
// source + target * (255 - source alpha) / 255, rounded as Qt rounds, so that
// the pixels are exactly those of QPainter::drawImage. Fully transparent
// pixels leave the target as it is and opaque ones are copied.
void blendSpan(const QRgb* source, QRgb* target, int count);

// Draws a premultiplied ARGB32 picture onto an RGB32 or premultiplied ARGB32
// surface with its top left corner at `at`, source over, into the rows
// [fromRow, toRow) of the surface only, and there only over the visible span
// of each of the picture's rows.
void blendPicture(QImage& surface, const QImage& picture, const Coverage& coverage, QPoint at,
                  int fromRow, int toRow);

} // namespace brindo
