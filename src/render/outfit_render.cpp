#include "render/outfit_render.h"

#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"
#include "render/png/png_decode.h"
#include "render/png/png_loading.h"

#include <QDir>
#include <QObject>
#include <algorithm>

namespace brindo {

namespace {

LayerCompositor::Settings compositorSettings(const QString& libraryFolder,
                                             const RenderOptions& options,
                                             LayerCache::Bounds kept) {
    LayerCompositor::Settings settings = LayerCompositor::oneShotSettings(libraryFolder, kept);
    if (options.oneThread) {
        settings.decodeThreads = 0;
    }
    return settings;
}

} // namespace

OutfitRenderer::OutfitRenderer(const QString& libraryFolder, const RenderOptions& options,
                               LayerCache::Bounds kept)
    : options_(options), layout_(resolveLibraryLayout(libraryFolder, options.openCategory)),
      compositor_(compositorSettings(libraryFolder, options, kept)) {}

RenderedOutfit OutfitRenderer::render(const Outfit& outfit) {
    RenderedOutfit rendered;
    QSize size;
    {
        const Layer baseFigure = compositor_.picture(layout_.baseFigure);
        if (baseFigure->result != LoadResult::Loaded) {
            rendered.problem =
                QObject::tr("the base figure \"%1\" is missing or cannot be read, so the picture "
                            "has no size")
                    .arg(QDir::toNativeSeparators(nativePath(layout_.baseFigure)));
            return rendered;
        }
        size = baseFigure->image.size();
    }
    const quint64 scale = std::max(options_.scale, 1);
    const quint64 width = static_cast<quint64>(size.width()) * scale;
    const quint64 height = static_cast<quint64>(size.height()) * scale;
    if (!withinPngLimit(width, height)) {
        rendered.problem = QObject::tr("at scale %1 the picture would be %2 x %3 pixels, more than "
                                       "the limit of %4")
                               .arg(scale)
                               .arg(width)
                               .arg(height)
                               .arg(pngLimitText());
        return rendered;
    }
    CanvasImage canvas;
    canvas.resize(size.width(), size.height(),
                  options_.transparent ? CanvasImage::kClear : options_.background | 0xFF000000U);
    const QStringList plan = drawPlan(outfit, layout_);
    const ComposeReport report = drawOutfit(plan, compositor_, canvas);
    rendered.picture =
        scale > 1 ? scaledUp(canvas.image(), static_cast<int>(scale)) : canvas.image();
    rendered.failedLoads = failedLoads(plan, report);
    return rendered;
}

RenderedOutfit renderOutfit(const Outfit& outfit, const QString& libraryFolder,
                            const RenderOptions& options) {
    return OutfitRenderer(libraryFolder, options).render(outfit);
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
