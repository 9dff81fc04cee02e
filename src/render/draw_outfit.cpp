#include "render/draw_outfit.h"

#include "catalogue/stored_path.h"

#include <algorithm>

namespace brindo {

namespace {

void appendSlot(QStringList& plan, const LayerSlot& slot) {
    if (slot.enabled) {
        plan.append(slot.path());
    }
}

void appendLayeredOrder(QStringList& plan, const Outfit& outfit, const LibraryLayout& layout) {
    for (int position = 1; position <= kLastDrawPosition; ++position) {
        if (position == kBaseFigurePosition) {
            plan.append(layout.baseFigure);
        } else if (position == kFigureOverlayPosition) {
            plan.append(layout.figureOverlay);
        }
        for (const SlotInfo& info : kSlotTable) {
            if (info.drawPosition == position) {
                appendSlot(plan, outfit.*(info.field));
            }
        }
    }
}

void appendReadyMadeFrames(QStringList& plan, const Outfit& outfit, const LibraryLayout& layout) {
    const QString name = outfit.readyMadeOutfit.path();
    const int frames = readyMadeFrameCount(name);
    const QString outfitFolder = joinStored(layout.readyMadeFolder, name);
    for (int frame = 1; frame <= frames; ++frame) {
        if (frame == kReadyMadeEyesFrame) {
            appendSlot(plan, outfit.eyes);
        } else {
            plan.append(joinStored(outfitFolder, readyMadeFrameFile(frame)));
        }
    }
}

} // namespace

QStringList drawPlan(const Outfit& outfit, const LibraryLayout& layout) {
    QStringList plan;
    if (outfit.readyMadeOutfit.enabled) {
        appendReadyMadeFrames(plan, outfit, layout);
    } else {
        appendLayeredOrder(plan, outfit, layout);
    }
    if (layout.watermark) {
        plan.append(*layout.watermark);
    }
    return plan;
}

ComposeReport drawOutfit(const QStringList& plan, LayerCompositor& compositor, CanvasImage& canvas,
                         LastLayer last) {
    return compositor.compose(plan, canvas, last);
}

QList<FailedLoad> failedLoads(const QStringList& plan, const ComposeReport& report) {
    QList<FailedLoad> failed;
    for (qsizetype i = 0; i < plan.size(); ++i) {
        const FailedLoad load{plan.at(i), report.results.at(i)};
        if (load.result != LoadResult::Loaded &&
            std::none_of(failed.begin(), failed.end(),
                         [&](const FailedLoad& known) { return known.path == load.path; })) {
            failed.append(load);
        }
    }
    return failed;
}

} // namespace brindo
