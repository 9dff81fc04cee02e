#include "catalogue/folder_listing.h"
#include "catalogue/hair_item.h"
#include "catalogue/item_pick.h"
#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "catalogue/variant_pick.h"
#include "check/library_checker.h"
#include "files/message_text.h"

#include <QObject>

namespace brindo::check {

namespace {

QString fileNameOf(const QString& storedPath) {
    return storedPath.mid(storedPath.lastIndexOf(kStoredSeparator) + 1);
}

// The item folder's files, or std::nullopt with the problem reported.
std::optional<QStringList> itemFiles(LibraryChecker& checker, const QString& itemFolder) {
    auto files = listFiles(itemFolder);
    if (!files) {
        checker.error(itemFolder,
                      QObject::tr("the item folder %1").arg(unreadableFolderText(itemFolder)));
    }
    return files;
}

// Clicks the item on a bare outfit, then each of its variant rows on the
// outfit that left, and answers the images each click puts on.
struct PickedItem {
    QStringList images;               // what the item click puts on
    QList<QStringList> variantImages; // what each variant row puts on
};

PickedItem pickWithVariants(const OpenCategory& category, const QString& item) {
    const ItemPick pick = pickItem(category, item, Outfit{});
    PickedItem picked{imagesPutOn(Outfit{}, pick.outfit), {}};
    const QStringList variants = pick.variantRows.value_or(QStringList());
    for (int index = 0; index < variants.size(); ++index) {
        const Outfit variant = pickVariant(category, item, index, variants.at(index), pick.outfit);
        picked.variantImages.append(imagesPutOn(pick.outfit, variant));
    }
    return picked;
}

} // namespace

QString missingNames(const QStringList& names) {
    return fewNames(names) + (names.size() == 1 ? QObject::tr(" is") : QObject::tr(" are"));
}

void checkHairItem(LibraryChecker& checker, const OpenCategory& category, const QString& item) {
    const QString itemFolder = joinStored(category.folder, item);
    const auto files = itemFiles(checker, itemFolder);
    if (!files) {
        return;
    }
    const PickedItem picked = pickWithVariants(category, item);
    QStringList images = picked.images;
    for (const QStringList& variant : picked.variantImages) {
        images += variant;
    }
    QStringList missing;
    for (const QString& image : images) {
        if (!checker.checkImage(image)) {
            missing.append(fileNameOf(image));
        }
    }
    if (missing.isEmpty()) {
        return;
    }
    const bool oneLayer = files->size() == kOneLayerHairFileCount;
    checker.error(itemFolder,
                  QObject::tr("holds %1 files, so it is read as a %2 item, but %3 missing. A "
                              "one-layer item holds exactly %4 files, 00.png and 01.png to "
                              "20.png; a two-layer item holds 001.png (front) and 002.png "
                              "(back) and the pairs 011.png and 012.png to 201.png and 202.png")
                      .arg(files->size())
                      .arg(oneLayer ? QObject::tr("one-layer") : QObject::tr("two-layer"),
                           missingNames(missing))
                      .arg(kOneLayerHairFileCount));
}

void checkFaceItem(LibraryChecker& checker, const OpenCategory& category, const QString& item) {
    const QString itemFolder = joinStored(category.folder, item);
    const auto files = itemFiles(checker, itemFolder);
    if (!files) {
        return;
    }
    if (files->isEmpty()) {
        checker.error(itemFolder, QObject::tr("holds no files: picking it puts nothing on and "
                                              "shows an empty variant list; add %1 and the "
                                              "variants")
                                      .arg(QString(kFolderItemBaseFile)));
        return;
    }
    const QString base = joinStored(itemFolder, kFolderItemBaseFile);
    if (!LibraryChecker::isFile(base)) {
        checker.error(itemFolder, QObject::tr("has no %1, the base image that picking the item "
                                              "puts on; add it")
                                      .arg(QString(kFolderItemBaseFile)));
    } else if (files->constFirst().compare(kFolderItemBaseFile, Qt::CaseInsensitive) != 0) {
        checker.error(joinStored(itemFolder, files->constFirst()),
                      QObject::tr("is listed before %1, so it is taken for the base image and "
                                  "left out of the variants, while %1 is offered as a variant; "
                                  "rename it so that %1 comes first")
                          .arg(QString(kFolderItemBaseFile)));
    }
    const PickedItem picked = pickWithVariants(category, item);
    for (const QString& image : picked.images) {
        checker.checkImage(image);
    }
    // The variant rows are the files after the first, in listing order.
    for (int index = 0; index < picked.variantImages.size(); ++index) {
        if (!checker.storableName(itemFolder, files->at(index + 1))) {
            continue;
        }
        for (const QString& image : picked.variantImages.at(index)) {
            checkListedFile(checker, itemFolder, files->at(index + 1), image);
        }
    }
}

void checkReadyMadeOutfit(LibraryChecker& checker, const OpenCategory& category,
                          const QString& outfit) {
    const QString folder = joinStored(category.folder, outfit);
    const int frames = readyMadeFrameCount(outfit);
    if (frames == 0) {
        checker.warning(folder, QObject::tr("is listed, but only the outfits 01 to 12 are drawn, "
                                            "so picking it shows an empty picture; rename it"));
        return;
    }
    QStringList missing;
    for (int frame = 1; frame <= frames; ++frame) {
        const QString image = joinStored(folder, readyMadeFrameFile(frame));
        if (frame != kReadyMadeEyesFrame && !checker.checkImage(image)) {
            missing.append(fileNameOf(image));
        }
    }
    if (!missing.isEmpty()) {
        checker.error(folder, QObject::tr("%1 missing: outfit %2 draws 1.png to %3.png "
                                          "with the eyes layer in place of 4.png; add them")
                                  .arg(missingNames(missing), outfit)
                                  .arg(frames));
    }
}

} // namespace brindo::check
