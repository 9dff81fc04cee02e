#pragma once

#include "catalogue/open_category.h"
#include "model/outfit.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace brindo {

// What a click on an item row does: the outfit with the item put on, and the
// rows of the variant list (std::nullopt when the list is hidden).
struct ItemPick {
    Outfit outfit;
    std::optional<QStringList> variantRows;
};

// Puts the item of the open category on the character.
//
// - ready-made outfits: the outfit's name is stored as it stands.
// - hair: the item folder's file count tells a one-layer from a two-layer
//   item; its base image is put on and the variants "01" to "20" offered.
// - flat categories: the category keyword picks the slot; "<none>" switches
//   it off and keeps its path.
// - item folders: a mouth or eyes item puts on its folder's "00.png"; unless
//   the folder holds exactly one file, the files after the first are offered
//   as variants.
//
// Every pick outside ready-made outfits takes the ready-made outfit off. An
// item folder that cannot be listed changes nothing.
ItemPick pickItem(const OpenCategory& category, const QString& row, Outfit outfit);

// The images that a pick put on: the paths of the layers it switched on or
// changed (a ready-made outfit's name is not an image).
QStringList imagesPutOn(const Outfit& before, const Outfit& after);

} // namespace brindo
