#include "catalogue/row_images.h"

#include "catalogue/item_pick.h"
#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "catalogue/variant_pick.h"

namespace brindo {

namespace {

// The layers an outfit shows, in drawing order, without the figure.
QStringList layerImages(const Outfit& outfit) {
    QStringList images;
    for (int position = 1; position <= kLastDrawPosition; ++position) {
        for (const SlotInfo& info : kSlotTable) {
            const LayerSlot& slot = outfit.*(info.field);
            if (info.drawPosition == position && slot.enabled) {
                images.append(slot.path());
            }
        }
    }
    return images;
}

QStringList readyMadeFrames(const OpenCategory& category, const QString& row) {
    QStringList frames;
    const QString folder = joinStored(category.folder, row);
    const int count = readyMadeFrameCount(row);
    for (int frame = 1; frame <= count; ++frame) {
        if (frame != kReadyMadeEyesFrame) {
            frames.append(joinStored(folder, readyMadeFrameFile(frame)));
        }
    }
    return frames;
}

} // namespace

QStringList itemRowImages(const OpenCategory& category, const QString& row) {
    if (category.kind == CategoryKind::ReadyMade) {
        return readyMadeFrames(category, row);
    }
    return layerImages(pickItem(category, row, Outfit{}).outfit);
}

QStringList variantRowImages(const OpenCategory& category, const QString& item, int index,
                             const QString& row) {
    return layerImages(pickVariant(category, item, index, row, Outfit{}));
}

QStringList categoryRowImages(const QString& libraryFolder, const QString& category) {
    const auto opened = openCategory(libraryFolder, category);
    if (!opened) {
        return {};
    }
    for (const QString& row : opened->rows) {
        if (row != kNoneRow) {
            return itemRowImages(*opened, row);
        }
    }
    return {};
}

} // namespace brindo
