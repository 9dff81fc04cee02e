#pragma once

#include "model/outfit.h"

#include <QRandomGenerator>
#include <QSet>
#include <QString>

namespace brindo {

struct RandomOutfitOptions {
    // Categories, by name as listed, whose layers stay as they are.
    QSet<QString> keptCategories;
    // Whether a ready-made outfit may be chosen too; never unless asked.
    bool allowReadyMade = false;
};

// A random outfit, made by the same picks as clicks in the lists: every
// category that dresses a layer gets a random item, or "<none>" as often as
// any item (the bottoms always wear something), and items with variants a
// random variant or their base image. Kept categories, categories that dress
// no layer and folders that cannot be listed are left as they are. The
// document path stays. The same seed gives the same outfit.
Outfit randomOutfit(const QString& libraryFolder, Outfit outfit, const RandomOutfitOptions& options,
                    QRandomGenerator& random);

} // namespace brindo
