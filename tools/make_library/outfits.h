#pragma once

#include "paint.h"

#include <QStringList>
#include <vector>

namespace brindo::sample {

// One numbered frame file of a ready-made outfit ("<number>.png").
struct OutfitFrame {
    int number;
    Piece picture;
};

// Frames of the ready-made outfits "01" to "12", in outfit order. Each outfit
// has as many draw steps as the program makes for it; the eyes step is left
// out, because the program draws the chosen eyes there instead of a file.
std::vector<std::vector<OutfitFrame>> readyMadeOutfits();
// The names of the outfits, in the same order.
QStringList readyMadeOutfitNames();

} // namespace brindo::sample
