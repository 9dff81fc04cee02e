#pragma once

#include "paint.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace brindo::sample {

// An item folder: its base picture ("00.png") followed by its variants, and
// what the library calls them: the item, then each variant.
struct VariantItem {
    QString name;
    std::vector<Piece> pictures;
    QStringList names;
};

std::vector<VariantItem> eyes();
std::vector<VariantItem> mouths();
std::vector<Piece> eyewear();
std::vector<Piece> hats();

// The names of the pieces of each list above, in the same order.
QStringList eyewearNames();
QStringList hatNames();

} // namespace brindo::sample
