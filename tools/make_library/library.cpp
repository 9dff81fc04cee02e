#include "library.h"

#include "catalogue/library_layout.h"
#include "clothes.h"
#include "figure.h"
#include "hair.h"
#include "heads.h"
#include "outfits.h"
#include "picture_jobs.h"
#include "scenes.h"

#include <QDir>
#include <functional>
#include <stdexcept>

namespace brindo::sample {

namespace {

QString twoDigits(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString png(const QString& name) {
    return name + QLatin1String(".png");
}

// Collects every picture of the library with the file it goes to.
class LibraryPlan {
public:
    explicit LibraryPlan(const QString& folder) : root_(folder) {}

    void add(const QString& relative, const Piece& piece) {
        jobs_.push_back({root_.filePath(relative), piece});
    }

    // Files "01.png", "02.png", ... (from "00.png" when `first` is 0).
    void addFlat(const QString& category, const std::vector<Piece>& items, int first = 1) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            add(category + u'/' + png(twoDigits(first + static_cast<int>(i))), items[i]);
        }
    }

    void addVariantItems(const QString& category, const std::vector<VariantItem>& items) {
        for (const VariantItem& item : items) {
            addFlat(category + u'/' + item.name, item.pictures, 0);
        }
    }

    void addHair(const QString& category) {
        const std::vector<QColor> variants = hairVariantColours();
        for (const HairStyle& style : hairStyles()) {
            const QString folder = category + u'/' + style.name + u'/';
            for (int variant = 0; variant <= static_cast<int>(variants.size()); ++variant) {
                const QColor colour = variant == 0 ? defaultHairColour() : variants.at(variant - 1);
                const QString stem = folder + twoDigits(variant);
                if (style.twoLayer()) {
                    add(png(stem + u'1'), hairFront(style, colour));
                    add(png(stem + u'2'), hairBack(style, colour));
                } else {
                    add(png(stem), hairFront(style, colour));
                }
            }
        }
    }

    void addOutfits(const QString& category) {
        const auto outfits = readyMadeOutfits();
        for (std::size_t i = 0; i < outfits.size(); ++i) {
            const QString folder = category + u'/' + twoDigits(static_cast<int>(i) + 1) + u'/';
            for (const OutfitFrame& frame : outfits[i]) {
                add(png(folder + QString::number(frame.number)), frame.picture);
            }
        }
    }

    const std::vector<PictureJob>& jobs() const { return jobs_; }

private:
    QDir root_;
    std::vector<PictureJob> jobs_;
};

using CategoryPlan = std::function<void(LibraryPlan&, const QString&)>;

CategoryPlan flat(std::vector<Piece> (*items)(), int first = 1) {
    return [items, first](LibraryPlan& library, const QString& name) {
        library.addFlat(name, items(), first);
    };
}

CategoryPlan withVariants(std::vector<VariantItem> (*items)()) {
    return [items](LibraryPlan& library, const QString& name) {
        library.addVariantItems(name, items());
    };
}

// The category folders in listing order, each with what it holds.
const std::vector<std::pair<QString, CategoryPlan>>& categories() {
    static const std::vector<std::pair<QString, CategoryPlan>> all{
        {QStringLiteral("Backgrounds"), flat(backgrounds)},
        {QString(kBottomsFolder), flat(bottoms, 0)},
        {QStringLiteral("Eyes"), withVariants(eyes)},
        {QStringLiteral("Eyewear"), flat(eyewear)},
        {QStringLiteral("Footwear"), flat(footwear)},
        {QStringLiteral("Foregrounds"), flat(foregrounds)},
        {QStringLiteral("Friends and pets"), flat(friendsAndPets)},
        {QStringLiteral("Hair"), &LibraryPlan::addHair},
        {QStringLiteral("Hats"), flat(hats)},
        {QStringLiteral("Interests"), flat(interests)},
        {QStringLiteral("Mouth"), withVariants(mouths)},
        {QStringLiteral("Other"), flat(otherItems)},
        {QStringLiteral("Ready-made outfits"), &LibraryPlan::addOutfits},
        {QStringLiteral("Tops"), flat(tops)},
    };
    return all;
}

void removeEarlierLibrary(const QDir& root) {
    for (const auto& [name, plan] : categories()) {
        QDir folder(root.filePath(name));
        if (folder.exists() && !folder.removeRecursively()) {
            throw std::runtime_error("cannot remove " + folder.path().toStdString());
        }
    }
}

} // namespace

void writeLibrary(const LibraryOptions& options) {
    if (options.clean) {
        removeEarlierLibrary(QDir(options.folder));
    }
    LibraryPlan library(options.folder);
    library.add(QString(kBaseFigureFile), drawFigure);
    library.add(QString(kFigureOverlayFile), drawFigureOverlay);
    library.add(QString(kWatermarkFile), drawWatermark);
    for (const auto& [name, plan] : categories()) {
        plan(library, name);
    }
    drawAndSave(library.jobs(), options.scale);
}

} // namespace brindo::sample
