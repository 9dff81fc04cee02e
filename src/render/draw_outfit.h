#pragma once

#include "catalogue/library_layout.h"
#include "model/outfit.h"
#include "render/canvas_image.h"
#include "render/png/layer_painter.h"

#include <QStringList>

namespace brindo {

// The image files, in drawing order, that make up the picture of an outfit:
// the layered order around the base figure and the figure overlay, or a
// ready-made outfit's frames with the eyes layer in place of frame 4; then the
// watermark when the library has one. Each entry is a stored path, loaded as
// it stands.
QStringList drawPlan(const Outfit& outfit, const LibraryLayout& layout);

// Composes the picture from scratch: clears the canvas, then loads and draws
// every file of the plan. Nothing is shown on screen here.
void drawOutfit(const QStringList& plan, LayerPainter& painter, CanvasImage& canvas);

} // namespace brindo
