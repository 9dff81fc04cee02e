#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace brindo {

// How a category's items dress the character.
enum class CategoryKind {
    ReadyMade,   // named "ready-made outfits": items are whole outfits
    Hair,        // named "hair": items are folders of one- or two-layer hair
    Flat,        // the folder holds files: one image per item, and "<none>"
    ItemFolders, // the folder holds no file: items are sub-folders (eyes and mouth)
};

// A category as a click in the category list opens it: what the item and
// variant picks need to know of it.
struct OpenCategory {
    QString name;   // as listed
    QString folder; // stored path
    CategoryKind kind = CategoryKind::Flat;
    QStringList files; // the category folder's files, in listing order
    QStringList rows;  // the rows of the item list
};

// Opens a category of the library. A folder holding at least one file lists
// "<none>" and the listed names of its files, whatever their extension
// (sub-folders are ignored); any other folder lists its sub-folders by name.
// std::nullopt when the category folder cannot be listed, or its name cannot
// be stored.
std::optional<OpenCategory> openCategory(const QString& libraryFolder, const QString& name);

// Why a category cannot be opened.
enum class CategoryProblem {
    Missing,        // moved or removed, or not a folder
    NoPermission,   // the folder may not be read
    UnstorableName, // its name holds the stored separator (see canStoreName)
};
CategoryProblem categoryProblem(const QString& libraryFolder, const QString& name);

} // namespace brindo
