#include "render/shared_outfit.h"

#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "document/outfit_document.h"

namespace brindo {

namespace {

QString sharedImagePath(const QString& storedPath, const QString& libraryFolder) {
    QStringList place = placeInLibrary(storedPath, libraryFolder);
    if (place.isEmpty()) {
        // Documents written elsewhere may hold either separator.
        const qsizetype cut =
            std::max(storedPath.lastIndexOf(kStoredSeparator), storedPath.lastIndexOf(u'/'));
        place = QStringList{storedPath.sliced(cut + 1)};
    }
    return joinStored(QString(kSharedLibraryRoot), place.join(kStoredSeparator));
}

} // namespace

QString shareableOutfitText(const Outfit& outfit, const QString& libraryFolder) {
    Outfit shared = outfit;
    for (const SlotInfo& info : kSlotTable) {
        std::optional<QString>& path = (shared.*(info.field)).imagePath;
        if (!path || path->isEmpty()) {
            continue;
        }
        if (info.id == SlotId::ReadyMadeOutfit) {
            // It holds an outfit's name; anything else draws nothing anyway.
            if (readyMadeFrameCount(*path) == 0) {
                path = QString();
            }
        } else {
            path = sharedImagePath(*path, libraryFolder);
        }
    }
    ProfileText text;
    return writeOutfit(text, shared).ok() ? QString::fromUtf8(text.bytes()) : QString();
}

Outfit withLocatedImages(Outfit outfit, const QString& libraryFolder) {
    const QString sharedRoot = joinStored(QString(kSharedLibraryRoot), QString());
    for (const SlotInfo& info : kSlotTable) {
        std::optional<QString>& path = (outfit.*(info.field)).imagePath;
        if (!path || !path->startsWith(sharedRoot, Qt::CaseInsensitive)) {
            continue;
        }
        if (const QString found = locateImage(*path, libraryFolder); !found.isEmpty()) {
            path = storedFromNative(found);
        }
    }
    return outfit;
}

} // namespace brindo
