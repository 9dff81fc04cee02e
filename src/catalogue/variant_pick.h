#pragma once

#include "catalogue/open_category.h"
#include "model/outfit.h"

#include <QString>

namespace brindo {

// Puts a variant of an item of the open category on the character and
// answers the outfit. The category's name decides the layer: mouth, eyes or
// hair, in that order. A mouth or eyes variant is the item folder's file
// named by the variant row; a hair variant is chosen by the row's position,
// one image or a front and back pair as the item folder's file count tells.
// A hair item folder that cannot be listed changes nothing.
Outfit pickVariant(const OpenCategory& category, const QString& itemRow, int variantIndex,
                   const QString& variantRow, Outfit outfit);

} // namespace brindo
