#pragma once

#include "paint.h"

#include <QString>
#include <vector>

namespace brindo::sample {

// An item folder: its base picture ("00.png") followed by its variants.
struct VariantItem {
    QString name;
    std::vector<Piece> pictures;
};

std::vector<VariantItem> eyes();
std::vector<VariantItem> mouths();
std::vector<Piece> eyewear();
std::vector<Piece> hats();

} // namespace brindo::sample
