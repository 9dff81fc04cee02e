#include "render/outfit_render.h"

#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"
#include "render/png/png_decode.h"
#include "render/png/png_loading.h"
#include "render/png/png_painter.h"

#include <QDir>
#include <QObject>
#include <algorithm>

namespace brindo {

namespace {

// Passes every call on but the plan of loads, so that nothing is read ahead
// on another thread.
class OneThreadPainter : public LayerPainter {
public:
    explicit OneThreadPainter(LayerPainter& inner) : inner_(inner) {}

    LoadResult load(const QString& path) override { return inner_.load(path); }
    int width() const override { return inner_.width(); }
    int height() const override { return inner_.height(); }
    void drawOn(QImage* surface, int x, int y) override { inner_.drawOn(surface, x, y); }

private:
    LayerPainter& inner_;
};

} // namespace

RenderedOutfit renderOutfit(const Outfit& outfit, const QString& libraryFolder,
                            const RenderOptions& options) {
    RenderedOutfit rendered;
    const LibraryLayout layout = resolveLibraryLayout(libraryFolder, options.openCategory);
    PngPainter png(libraryFolder);
    if (png.load(layout.baseFigure) != LoadResult::Loaded) {
        rendered.problem =
            QObject::tr("the base figure \"%1\" is missing or cannot be read, so the picture has "
                        "no size")
                .arg(QDir::toNativeSeparators(nativePath(layout.baseFigure)));
        return rendered;
    }
    const quint64 scale = std::max(options.scale, 1);
    if (!withinPngLimit(png.width() * scale, png.height() * scale)) {
        rendered.problem = QObject::tr("at scale %1 the picture would be %2 x %3 pixels, more than "
                                       "the limit of %4")
                               .arg(scale)
                               .arg(png.width() * scale)
                               .arg(png.height() * scale)
                               .arg(pngLimitText());
        return rendered;
    }
    CanvasImage canvas;
    canvas.resize(png.width(), png.height(),
                  options.transparent ? CanvasImage::kClear : options.background | 0xFF000000U);
    ReportingPainter reporting(png);
    OneThreadPainter oneThread(reporting);
    drawOutfit(drawPlan(outfit, layout),
               options.oneThread ? static_cast<LayerPainter&>(oneThread) : reporting, canvas);
    rendered.picture =
        scale > 1 ? scaledUp(canvas.image(), static_cast<int>(scale)) : canvas.image();
    rendered.failedLoads = reporting.failedLoads();
    return rendered;
}

QImage scaledUp(const QImage& picture, int factor) {
    const qint64 width = qint64{picture.width()} * factor;
    const qint64 height = qint64{picture.height()} * factor;
    if (factor < 1 || picture.isNull() || !withinPngLimit(width, height)) {
        return {};
    }
    QImage source = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QImage scaled(static_cast<int>(width), static_cast<int>(height), source.format());
    if (scaled.isNull()) {
        return {};
    }
    for (int y = 0; y < source.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* first = reinterpret_cast<QRgb*>(scaled.scanLine(y * factor));
        for (int x = 0; x < source.width(); ++x) {
            std::fill_n(first + qsizetype{x} * factor, factor, from[x]);
        }
        for (int copy = 1; copy < factor; ++copy) {
            std::copy_n(first, width, reinterpret_cast<QRgb*>(scaled.scanLine(y * factor + copy)));
        }
    }
    return scaled;
}

QStringList layerImagesLeftOut(const Outfit& outfit, const QList<FailedLoad>& failedLoads) {
    QStringList leftOut;
    for (const SlotInfo& info : kSlotTable) {
        const LayerSlot& slot = outfit.*(info.field);
        if (info.id == SlotId::ReadyMadeOutfit || !slot.enabled || leftOut.contains(slot.path())) {
            continue; // a ready-made outfit is named, not an image
        }
        const bool failed =
            std::any_of(failedLoads.begin(), failedLoads.end(),
                        [&slot](const FailedLoad& load) { return load.path == slot.path(); });
        if (failed) {
            leftOut.append(slot.path());
        }
    }
    return leftOut;
}

} // namespace brindo
