#include "library.h"

#include "catalogue/library_layout.h"
#include "clothes.h"
#include "figure.h"
#include "hair.h"
#include "heads.h"
#include "names_file.h"
#include "outfits.h"
#include "picture_jobs.h"
#include "scenes.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <stdexcept>

namespace brindo::sample {

namespace {

// Names the items and variants of the library; it lies beside the categories.
constexpr QLatin1String kNamesFile{"library.ini"};

QString twoDigits(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString png(const QString& name) {
    return name + QLatin1String(".png");
}

// The section of an item folder in the names file.
QString itemSection(const QString& category, const QString& item) {
    return category + u'\\' + item;
}

void requireNames(const QString& folder, std::size_t pictures, const QStringList& names) {
    if (static_cast<std::size_t>(names.size()) != pictures) {
        throw std::logic_error("the names of " + folder.toStdString() +
                               " do not match its pictures");
    }
}

// Collects every picture of the library with the file it goes to, and the
// names of the items and variants.
class LibraryPlan {
public:
    explicit LibraryPlan(const QString& folder) : root_(folder) {}

    void add(const QString& relative, const Piece& piece) {
        jobs_.push_back({root_.filePath(relative), piece});
    }

    // The sample library is one work: its credits go with every category.
    void addCredits(const QString& category) {
        names_.add(category, QStringLiteral("author"),
                   QStringLiteral("Brindo Creator sample library"));
        names_.add(category, QStringLiteral("licence"), QStringLiteral("CC0-1.0"));
    }

    // Files "01.png", "02.png", ... (from "00.png" when `first` is 0), each
    // named in the category's section.
    void addFlat(const QString& category, const std::vector<Piece>& items, const QStringList& names,
                 int first = 1) {
        requireNames(category, items.size(), names);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const QString stem = twoDigits(first + static_cast<int>(i));
            add(category + u'/' + png(stem), items[i]);
            names_.add(category, stem, names.at(static_cast<qsizetype>(i)));
        }
    }

    // Item folders of "00.png" and its variants: the item is named in the
    // category's section, the variants in the item's own.
    void addVariantItems(const QString& category, const std::vector<VariantItem>& items) {
        for (const VariantItem& item : items) {
            const QString folder = category + u'/' + item.name;
            requireNames(folder, item.pictures.size(), item.names);
            names_.add(category, item.name, item.names.constFirst());
            for (std::size_t i = 0; i < item.pictures.size(); ++i) {
                add(folder + u'/' + png(twoDigits(static_cast<int>(i))), item.pictures[i]);
                if (i > 0) {
                    names_.add(itemSection(category, item.name), twoDigits(static_cast<int>(i)),
                               item.names.at(static_cast<qsizetype>(i)));
                }
            }
        }
    }

    void addHair(const QString& category) {
        const std::vector<QColor> variants = hairVariantColours();
        const QStringList variantNames = hairVariantNames();
        requireNames(category, variants.size(), variantNames);
        for (const HairStyle& style : hairStyles()) {
            const QString folder = category + u'/' + style.name + u'/';
            names_.add(category, style.name, style.title);
            for (int variant = 0; variant <= static_cast<int>(variants.size()); ++variant) {
                const QColor colour = variant == 0 ? defaultHairColour() : variants.at(variant - 1);
                const QString stem = folder + twoDigits(variant);
                if (style.twoLayer()) {
                    add(png(stem + u'1'), hairFront(style, colour));
                    add(png(stem + u'2'), hairBack(style, colour));
                } else {
                    add(png(stem), hairFront(style, colour));
                }
                if (variant > 0) {
                    names_.add(itemSection(category, style.name), twoDigits(variant),
                               variantNames.at(variant - 1));
                }
            }
        }
    }

    void addOutfits(const QString& category) {
        const auto outfits = readyMadeOutfits();
        const QStringList names = readyMadeOutfitNames();
        requireNames(category, outfits.size(), names);
        for (std::size_t i = 0; i < outfits.size(); ++i) {
            const QString item = twoDigits(static_cast<int>(i) + 1);
            names_.add(category, item, names.at(static_cast<qsizetype>(i)));
            const QString folder = category + u'/' + item + u'/';
            for (const OutfitFrame& frame : outfits[i]) {
                add(png(folder + QString::number(frame.number)), frame.picture);
            }
        }
    }

    const std::vector<PictureJob>& jobs() const { return jobs_; }
    const NamesFile& names() const { return names_; }

private:
    QDir root_;
    std::vector<PictureJob> jobs_;
    NamesFile names_;
};

using CategoryPlan = std::function<void(LibraryPlan&, const QString&)>;

CategoryPlan flat(std::vector<Piece> (*items)(), QStringList (*names)(), int first = 1) {
    return [items, names, first](LibraryPlan& library, const QString& name) {
        library.addFlat(name, items(), names(), first);
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
        {QStringLiteral("Backgrounds"), flat(backgrounds, backgroundNames)},
        {QString(kBottomsFolder), flat(bottoms, bottomNames, 0)},
        {QStringLiteral("Eyes"), withVariants(eyes)},
        {QStringLiteral("Eyewear"), flat(eyewear, eyewearNames)},
        {QStringLiteral("Footwear"), flat(footwear, footwearNames)},
        {QStringLiteral("Foregrounds"), flat(foregrounds, foregroundNames)},
        {QStringLiteral("Friends and pets"), flat(friendsAndPets, friendAndPetNames)},
        {QStringLiteral("Hair"), &LibraryPlan::addHair},
        {QStringLiteral("Hats"), flat(hats, hatNames)},
        {QStringLiteral("Interests"), flat(interests, interestNames)},
        {QStringLiteral("Mouth"), withVariants(mouths)},
        {QStringLiteral("Other"), flat(otherItems, otherItemNames)},
        {QStringLiteral("Ready-made outfits"), &LibraryPlan::addOutfits},
        {QStringLiteral("Tops"), flat(tops, topNames)},
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
    QFile names(root.filePath(kNamesFile));
    if (names.exists() && !names.remove()) {
        throw std::runtime_error("cannot remove " + names.fileName().toStdString());
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
        library.addCredits(name);
        plan(library, name);
    }
    drawAndSave(library.jobs(), options.scale);
    library.names().save(QDir(options.folder).filePath(kNamesFile));
}

} // namespace brindo::sample
