#pragma once

#include "paint.h"

#include <vector>

namespace brindo::sample {

// Full opaque scenes behind the character.
std::vector<Piece> backgrounds();
// Things in front of everything: flowers, snow, a frame.
std::vector<Piece> foregrounds();
std::vector<Piece> friendsAndPets();
// Things the character holds or plays with.
std::vector<Piece> interests();

} // namespace brindo::sample
