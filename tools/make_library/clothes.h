#pragma once

#include "paint.h"

#include <QStringList>
#include <vector>

namespace brindo::sample {

// Clothes, one piece per library item, in file order.
std::vector<Piece> tops();
// The first piece is the default bottoms ("00.png").
std::vector<Piece> bottoms();
std::vector<Piece> footwear();
// Scarves, belts, bags and the like ("Other").
std::vector<Piece> otherItems();

// The names of the pieces of each list above, in the same order.
QStringList topNames();
QStringList bottomNames();
QStringList footwearNames();
QStringList otherItemNames();

} // namespace brindo::sample
