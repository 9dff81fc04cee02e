#pragma once

#include "app/outfit_state.h"
#include "catalogue/folder_listing.h"

#include <QString>

namespace brindo {

// Puts a variant of the picked item on the character. The current category
// decides the layer: mouth, eyes or hair, in that order. A mouth or eyes
// variant is the item folder's file named by the variant row; a hair variant
// is chosen by the row's position, one image or a front and back pair as the
// item folder's file count tells. A hair item folder that cannot be listed
// changes nothing. `file1` shows the category folder on entry and again on
// return.
void pickVariant(OutfitState& state, const QString& itemRow, int variantIndex,
                 const QString& variantRow, FolderList& file1);

} // namespace brindo
