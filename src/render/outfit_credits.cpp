#include "render/outfit_credits.h"

#include "catalogue/item_names.h"
#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"

namespace brindo {

void addOutfitCredits(QList<OutfitCredit>& credits, const Outfit& outfit,
                      const LibraryLayout& layout, const LibraryNames& names) {
    for (const QString& image : drawPlan(outfit, layout)) {
        // {category, file} for a flat item, {category, item folder, ...} for the others.
        const QStringList place = placeInLibrary(image, layout.folder);
        if (place.size() < 2) {
            continue;
        }
        const QString& category = place.constFirst();
        const Credit credit =
            names.credit(category, place.size() == 2 ? listedName(place.at(1)) : place.at(1));
        if (credit.isEmpty()) {
            continue;
        }
        auto known =
            std::find_if(credits.begin(), credits.end(),
                         [&credit](const OutfitCredit& entry) { return entry.credit == credit; });
        if (known == credits.end()) {
            credits.append({credit, {category}});
        } else if (!known->categories.contains(category)) {
            known->categories.append(category);
        }
    }
}

QString creditsText(const QList<OutfitCredit>& credits) {
    QString text;
    for (const OutfitCredit& entry : credits) {
        QStringList parts{entry.credit.author, entry.credit.licence, entry.credit.url};
        parts.removeAll(QString());
        text += entry.categories.join(QLatin1String(", ")) + QLatin1String(": ") +
                parts.join(QLatin1String(", ")) + u'\n';
    }
    return text;
}

QString outfitCreditsText(const Outfit& outfit, const QString& libraryFolder,
                          const QString& openCategory) {
    QList<OutfitCredit> credits;
    addOutfitCredits(credits, outfit, resolveLibraryLayout(libraryFolder, openCategory),
                     LibraryNames::read(libraryFolder));
    return creditsText(credits);
}

} // namespace brindo
