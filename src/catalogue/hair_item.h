#pragma once

#include "model/outfit.h"

#include <QLatin1String>
#include <QString>
#include <QStringList>

namespace brindo {

// A hair item folder with exactly this many files is a one-layer item: a base
// image and twenty variants, one image each. Any other count, whatever the
// files are, makes a two-layer item whose images come in pairs: "<n>1.png"
// in front of the figure and "<n>2.png" behind it.
inline constexpr int kOneLayerHairFileCount = 21;

// The number of a hair item's base image; its variants are "01" to "20".
inline constexpr QLatin1String kHairBaseNumber{"00"};

// The variant rows of every hair item, whatever its folder holds.
QStringList hairVariantRows();

// Dresses the hair in image `number` of the item in `itemFolder`, which
// holds `fileCount` files. A one-layer item switches the back layer off and
// keeps its path.
void putOnHair(Outfit& outfit, const QString& itemFolder, int fileCount, const QString& number);

} // namespace brindo
