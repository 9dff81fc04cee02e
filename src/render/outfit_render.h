#pragma once

#include "catalogue/library_layout.h"
#include "model/outfit.h"
#include "render/canvas_image.h"
#include "render/draw_outfit.h"
#include "render/layer_compositor.h"
#include "render/png/png_loading.h"

#include <QImage>
#include <QList>
#include <QString>
#include <limits>

namespace brindo {

// How a picture of an outfit is made, where it differs from the window's
// canvas.
struct RenderOptions {
    // No canvas colour: the layers are composed "source over" on a clear
    // canvas, so the picture keeps their exact alpha (premultiplied ARGB32).
    bool transparent = false;
    // The canvas colour of an opaque picture.
    QRgb background = CanvasImage::kBackground;
    // Each pixel becomes a square of scale x scale pixels (nearest neighbour).
    int scale = 1;
    // The category open in the window, whose folder holds the ready-made
    // outfits when the library has no "ready-made outfits" folder.
    QString openCategory;
    // Decode and draw on the calling thread alone: for callers that already
    // keep every core busy with pictures of their own. Otherwise the layers
    // are decoded on every core.
    bool oneThread = false;
};

struct RenderedOutfit {
    QImage picture;                // the base figure's size times the scale
    QList<FailedLoad> failedLoads; // images drawn as nothing, each once, in drawing order
    QString problem;               // why there is no picture at all

    bool ok() const { return problem.isEmpty(); }
};

// Draws outfits of one library, one after another, as the window shows them
// after a full redraw: a canvas of the base figure's size on the canvas
// background, then drawOutfit. Images that cannot be loaded are left out and
// listed; only a missing base figure, or a scale that makes the picture too
// large, leaves no picture. Decoded layers are kept for the next outfit within
// `kept` (each file checked again before it is reused); the library's layout
// is resolved once.
class OutfitRenderer {
public:
    // One layer kept: the base figure that sizes the canvas, so that it is
    // decoded once.
    static constexpr LayerCache::Bounds kBaseFigureOnly{1, std::numeric_limits<qint64>::max()};

    OutfitRenderer(const QString& libraryFolder, const RenderOptions& options,
                   LayerCache::Bounds kept = kBaseFigureOnly);
    RenderedOutfit render(const Outfit& outfit);

private:
    RenderOptions options_;
    LibraryLayout layout_;
    LayerCompositor compositor_;
};

// One outfit, drawn by an OutfitRenderer of its own.
RenderedOutfit renderOutfit(const Outfit& outfit, const QString& libraryFolder,
                            const RenderOptions& options = {});

// The picture enlarged `factor` times in each direction, every pixel repeated
// as it is. A null image when the result would be larger than the pictures
// the program reads (see withinPngLimit).
QImage scaledUp(const QImage& picture, int factor);

// The images of the outfit's layers that are switched on and could not be
// loaded, each once, in slot order. The library's own files are no layers.
QStringList layerImagesLeftOut(const Outfit& outfit, const QList<FailedLoad>& failedLoads);

} // namespace brindo
