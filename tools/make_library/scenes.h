#pragma once

#include "paint.h"

#include <QStringList>
#include <vector>

namespace brindo::sample {

// Full opaque scenes behind the character.
std::vector<Piece> backgrounds();
// Things in front of everything: flowers, snow, a frame.
std::vector<Piece> foregrounds();
std::vector<Piece> friendsAndPets();
// Things the character holds or plays with.
std::vector<Piece> interests();

// The names of the pieces of each list above, in the same order.
QStringList backgroundNames();
QStringList foregroundNames();
QStringList friendAndPetNames();
QStringList interestNames();

} // namespace brindo::sample
