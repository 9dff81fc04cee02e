#pragma once

#include "catalogue/library_layout.h"
#include "catalogue/library_names.h"
#include "model/outfit.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace brindo {

// One credit of the library's names file and the categories, as listed,
// whose items in a picture carry it.
struct OutfitCredit {
    Credit credit;
    QStringList categories;

    bool operator==(const OutfitCredit&) const = default;
};

// Adds the credits of what the outfit's picture shows: every image of its
// draw plan that lies in an item of a category of the library gives that
// item's credit (its own, else its category's). Each distinct credit is
// listed once, in the order first met, with its categories in drawing order.
// The fixed images, images outside the library and items without a credit
// add nothing.
void addOutfitCredits(QList<OutfitCredit>& credits, const Outfit& outfit,
                      const LibraryLayout& layout, const LibraryNames& names);

// One line for each credit: "Hair, Tops: Jane Doe, CC-BY-4.0, https://…",
// leaving out what the names file does not give. Empty when there is none.
QString creditsText(const QList<OutfitCredit>& credits);

// The credits text of one outfit as the window draws it, with `openCategory`
// open: what an exported picture carries under kCreditsTextKey.
QString outfitCreditsText(const Outfit& outfit, const QString& libraryFolder,
                          const QString& openCategory = {});

} // namespace brindo
