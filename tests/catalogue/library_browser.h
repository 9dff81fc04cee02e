#pragma once

#include "catalogue/category_pick.h"
#include "catalogue/item_pick.h"
#include "catalogue/variant_pick.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>

namespace brindo::test {

// Browses a temporary library the way the three lists do, without a window.
struct LibraryBrowser {
    explicit LibraryBrowser(const TempLibrary& library) : library(library) {}

    QStringList open(const QString& category) {
        const auto rows = pickCategory(state, library.stored(), category, file1);
        EXPECT_TRUE(rows.has_value()) << category.toStdString();
        return rows.value_or(QStringList());
    }
    std::optional<QStringList> pick(const QString& item) {
        pickedItem = item;
        return pickItem(state, item, file1);
    }
    void pickVariantAt(int index, const QString& row) {
        pickVariant(state, pickedItem, index, row, file1);
    }
    void expectFileListAt(const QString& folder) const {
        EXPECT_EQ(file1.path(), library.stored(folder));
        EXPECT_EQ(file1.names(), listFiles(library.stored(folder)));
    }

    const TempLibrary& library;
    OutfitState state;
    FolderList file1{FolderList::Kind::Files};
    QString pickedItem;
};

// A hair item folder holding `count` files; only the count matters here.
inline void addHairItem(const TempLibrary& library, const QString& folder, int count) {
    for (int i = 0; i < count; ++i) {
        library.addFile(QStringLiteral("%1/%2.png").arg(folder).arg(i, 3, 10, QChar(u'0')));
    }
}

} // namespace brindo::test
