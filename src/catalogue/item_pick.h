#pragma once

#include "app/outfit_state.h"
#include "catalogue/folder_listing.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace brindo {

// Puts the picked item of the current category on the character.
//
// - "ready-made outfits": the outfit's name is stored as it stands.
// - "hair": the item folder's file count tells a one-layer from a two-layer
//   item; its base image is put on and the variants "01" to "20" offered.
// - flat categories: the category keyword picks the slot; "<none>" switches
//   it off and keeps its path.
// - folder categories: a mouth or eyes item puts on its folder's "00.png";
//   unless the folder holds exactly one file, the files after the first are
//   offered as variants.
//
// Every pick outside "ready-made outfits" takes the ready-made outfit off. An
// item folder that cannot be listed changes nothing. `file1` shows the
// category folder on entry and again on return.
//
// Answers the rows of the variant list, or std::nullopt when it is hidden.
std::optional<QStringList> pickItem(OutfitState& state, const std::optional<QString>& itemRow,
                                    FolderList& file1);

} // namespace brindo
