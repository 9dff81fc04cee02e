#include "list_json.h"

#include "catalogue/category_keywords.h"
#include "catalogue/folder_listing.h"
#include "catalogue/item_pick.h"
#include "catalogue/library_layout.h"
#include "catalogue/library_names.h"
#include "catalogue/open_category.h"
#include "catalogue/stored_path.h"
#include "catalogue/variant_pick.h"
#include "command_line.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace brindo::cli {

namespace {

QString kindName(CategoryKind kind) {
    switch (kind) {
    case CategoryKind::ReadyMade:
        return QStringLiteral("ready-made");
    case CategoryKind::Hair:
        return QStringLiteral("hair");
    case CategoryKind::Flat:
        return QStringLiteral("flat");
    case CategoryKind::ItemFolders:
        break;
    }
    return QStringLiteral("item-folders");
}

// The layer the category's items dress; null when they dress none.
QJsonValue slotOf(const OpenCategory& category) {
    std::optional<SlotId> slot;
    switch (category.kind) {
    case CategoryKind::ReadyMade:
        slot = SlotId::ReadyMadeOutfit;
        break;
    case CategoryKind::Hair:
        slot = SlotId::Hair;
        break;
    case CategoryKind::Flat:
        slot = slotForFlatCategory(category.name);
        break;
    case CategoryKind::ItemFolders:
        slot = slotForFolderCategory(category.name);
        break;
    }
    return slot ? QJsonValue(slotName(*slot)) : QJsonValue();
}

// A ready-made outfit's frames, the eyes' place left out.
QStringList readyMadeFrames(const OpenCategory& category, const QString& outfit) {
    QStringList frames;
    for (int frame = 1; frame <= readyMadeFrameCount(outfit); ++frame) {
        if (frame != kReadyMadeEyesFrame) {
            frames.append(
                joinStored(joinStored(category.folder, outfit), readyMadeFrameFile(frame)));
        }
    }
    return frames;
}

QJsonObject entry(const QString& row, const QString& shown, const QStringList& paths) {
    return {{QStringLiteral("name"), row},
            {QStringLiteral("shownName"), shown},
            {QStringLiteral("paths"), QJsonArray::fromStringList(paths)}};
}

QJsonObject itemEntry(const OpenCategory& category, const QString& row, const LibraryNames& names) {
    const ItemPick pick = pickItem(category, row, Outfit{});
    QJsonObject item =
        entry(row, names.shownName(category.name, row),
              category.kind == CategoryKind::ReadyMade ? readyMadeFrames(category, row)
                                                       : imagesPutOn(Outfit{}, pick.outfit));
    QJsonValue variants;
    if (pick.variantRows) {
        QJsonArray list;
        const QString folder = joinStored(category.name, row);
        for (qsizetype index = 0; index < pick.variantRows->size(); ++index) {
            const QString& variant = pick.variantRows->at(index);
            const Outfit dressed =
                pickVariant(category, row, static_cast<int>(index), variant, pick.outfit);
            list.append(entry(variant, names.shownName(folder, variant),
                              imagesPutOn(pick.outfit, dressed)));
        }
        variants = list;
    }
    item.insert(QStringLiteral("variants"), variants);
    return item;
}

QJsonObject categoryEntry(const QString& libraryFolder, const QString& name,
                          const LibraryNames& names) {
    const std::optional<OpenCategory> category = openCategory(libraryFolder, name);
    if (!category) {
        return {{QStringLiteral("name"), name},
                {QStringLiteral("kind"), QJsonValue()},
                {QStringLiteral("slot"), QJsonValue()},
                {QStringLiteral("none"), false},
                {QStringLiteral("items"), QJsonValue()}};
    }
    QJsonArray items;
    for (const QString& row : category->rows) {
        if (row != kNoneRow) {
            items.append(itemEntry(*category, row, names));
        }
    }
    return {{QStringLiteral("name"), name},
            {QStringLiteral("kind"), kindName(category->kind)},
            {QStringLiteral("slot"), slotOf(*category)},
            {QStringLiteral("none"), category->rows.contains(QString(kNoneRow))},
            {QStringLiteral("items"), items}};
}

} // namespace

std::optional<QByteArray> libraryJson(const QString& libraryFolder) {
    const auto names = listSubfolders(libraryFolder);
    if (!names) {
        return std::nullopt;
    }
    const LibraryNames libraryNames = LibraryNames::read(libraryFolder);
    QJsonArray categories;
    for (const QString& name : *names) {
        categories.append(categoryEntry(libraryFolder, name, libraryNames));
    }
    const QJsonObject root{
        {QStringLiteral("schema"), kListSchema},
        {QStringLiteral("library"), QDir::toNativeSeparators(nativePath(libraryFolder))},
        {QStringLiteral("categories"), categories}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace brindo::cli
