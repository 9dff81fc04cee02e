#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace brindo {

// What the three lists show for a library: every category as the category list
// shows it, the rows that a click on it puts in the item list, and for each row
// the rows that a click on it puts in the variant list.
struct CatalogueItem {
    QString row;
    std::optional<QStringList> variants; // std::nullopt: the variant list stays hidden
};

struct CatalogueCategory {
    QString name;
    bool opened = false; // false when the category folder cannot be listed
    QList<CatalogueItem> items;
};

// std::nullopt when the library folder cannot be listed.
std::optional<QList<CatalogueCategory>> listCatalogue(const QString& libraryFolder);

} // namespace brindo
