#pragma once

#include "catalogue/library_layout.h"
#include "model/outfit.h"
#include "render/canvas_image.h"
#include "render/layer_compositor.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace brindo {

// The image files, in drawing order, that make up the picture of an outfit:
// the layered order around the base figure and the figure overlay, or a
// ready-made outfit's frames with the eyes layer in place of frame 4; then the
// watermark when the library has one. Each entry is a stored path, loaded as
// it stands.
QStringList drawPlan(const Outfit& outfit, const LibraryLayout& layout);

// Composes the picture of the plan onto the canvas: the background, then every
// file of the plan in order, each checked on disk and read again when it has
// changed (see LayerCompositor). Nothing is shown on screen here.
ComposeReport drawOutfit(const QStringList& plan, LayerCompositor& compositor, CanvasImage& canvas,
                         LastLayer last = LastLayer::Once);

// An image that could not be loaded: its stored path, and why not.
struct FailedLoad {
    QString path;
    LoadResult result = LoadResult::Loaded;

    bool operator==(const FailedLoad&) const = default;
};

// The images of the plan that drew nothing, each once, in the order first
// tried.
QList<FailedLoad> failedLoads(const QStringList& plan, const ComposeReport& report);

} // namespace brindo
