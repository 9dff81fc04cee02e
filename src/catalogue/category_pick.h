#pragma once

#include "app/outfit_state.h"
#include "catalogue/folder_listing.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace brindo {

// Opens a category of the library: remembers it as the current category,
// points `file1` at its folder and answers the rows of the item list. A folder
// holding at least one file is a flat category: "<none>" and the listed names
// of its files, whatever their extension (sub-folders are ignored). Any other
// folder lists its sub-folders by name. std::nullopt, with nothing changed,
// when the category folder cannot be listed.
std::optional<QStringList> pickCategory(OutfitState& state, const QString& installFolder,
                                        const QString& category, FolderList& file1);

} // namespace brindo
