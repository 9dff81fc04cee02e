#pragma once

#include "render/canvas_image.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace brindo {

// A square picture of side x side pixels that shows what `images` (stored
// paths, back first) look like together: composed in order, cropped to their
// visible pixels, scaled to fit and centred over the canvas colour. Small
// crops grow by whole factors without smoothing, so that pixel art stays
// crisp; larger ones shrink smoothly. Images that cannot be loaded are left
// out; with nothing visible the square holds the canvas colour alone.
QImage itemPreview(const QStringList& images, const QString& libraryFolder, int side,
                   QRgb canvasColour = CanvasImage::kBackground);

} // namespace brindo
