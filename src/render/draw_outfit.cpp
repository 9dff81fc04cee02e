#include "render/draw_outfit.h"

#include "catalogue/folder_listing.h"
#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"

#include <QFileInfo>
#include <array>

namespace brindo {

namespace {

// Draw steps of the ready-made outfits "01" to "12".
constexpr std::array<int, 12> kReadyMadeFrames{8, 6, 7, 9, 9, 7, 9, 6, 9, 8, 5, 8};
constexpr int kEyesFrame = 4;

void appendSlot(QStringList& plan, const LayerSlot& slot) {
    if (slot.enabled) {
        plan.append(slot.path());
    }
}

void appendLayeredOrder(QStringList& plan, const OutfitState& state, const QString& installFolder) {
    constexpr int kLastPosition = 16;
    for (int position = 1; position <= kLastPosition; ++position) {
        if (position == kBaseFigurePosition) {
            plan.append(baseFigurePath(installFolder));
            continue;
        }
        if (position == kFigureOverlayPosition) {
            plan.append(figureOverlayPath(installFolder));
            continue;
        }
        for (const SlotInfo& info : kSlotTable) {
            if (info.drawPosition == position) {
                appendSlot(plan, state.*(info.field));
            }
        }
    }
}

void appendReadyMadeFrames(QStringList& plan, const OutfitState& state,
                           const QString& installFolder) {
    const QString name = state.ReadyMadeOutfit.path();
    const int frames = readyMadeFrameCount(name);
    if (frames == 0) {
        return;
    }
    const QString outfitFolder =
        joinStored(readyMadeFolder(installFolder, state.currentCategory), name);
    for (int frame = 1; frame <= frames; ++frame) {
        if (frame == kEyesFrame) {
            appendSlot(plan, state.Eyes);
        } else {
            plan.append(joinStored(outfitFolder, QString::number(frame) + QLatin1String(".png")));
        }
    }
}

bool watermarkPresent(const QString& installFolder) {
    const QString file = nativePath(watermarkPath(installFolder));
    return !file.isEmpty() && QFileInfo(file).isFile();
}

} // namespace

int readyMadeFrameCount(const QString& outfitName) {
    for (std::size_t i = 0; i < kReadyMadeFrames.size(); ++i) {
        if (outfitName == QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'))) {
            return kReadyMadeFrames.at(i);
        }
    }
    return 0;
}

QString readyMadeFolder(const QString& installFolder, const QString& currentCategory) {
    const auto categories = listSubfolders(installFolder);
    if (categories) {
        for (const QString& category : *categories) {
            if (category.toLower() == QString(kReadyMadeCategory)) {
                return joinStored(installFolder, category);
            }
        }
    }
    return joinStored(installFolder, currentCategory);
}

QStringList drawPlan(const OutfitState& state, const QString& installFolder) {
    QStringList plan;
    if (state.ReadyMadeOutfit.enabled) {
        appendReadyMadeFrames(plan, state, installFolder);
    } else {
        appendLayeredOrder(plan, state, installFolder);
    }
    if (watermarkPresent(installFolder)) {
        plan.append(watermarkPath(installFolder));
    }
    return plan;
}

void DrawOutfit(const OutfitState& state, const QString& installFolder, PictureComponent& png,
                CanvasImage& canvas) {
    canvas.Cls();
    const QStringList plan = drawPlan(state, installFolder);
    png.expectLoads(plan);
    for (const QString& file : plan) {
        png.LoadFile(file);
        png.DrawTo(canvas.hDC(), 0, 0);
    }
}

} // namespace brindo
