#include "named_picks.h"

#include "catalogue/folder_listing.h"
#include "catalogue/item_pick.h"
#include "catalogue/open_category.h"
#include "catalogue/stored_path.h"
#include "catalogue/variant_pick.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace brindo::cli {

namespace {

qsizetype editDistance(const QString& first, const QString& second) {
    std::vector<qsizetype> row(static_cast<std::size_t>(second.size() + 1));
    for (qsizetype j = 0; j <= second.size(); ++j) {
        row[static_cast<std::size_t>(j)] = j;
    }
    for (qsizetype i = 1; i <= first.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= second.size(); ++j) {
            const qsizetype above = row[static_cast<std::size_t>(j)];
            const qsizetype change = first.at(i - 1) == second.at(j - 1) ? 0 : 1;
            row[static_cast<std::size_t>(j)] =
                std::min({above + 1, row[static_cast<std::size_t>(j - 1)] + 1, diagonal + change});
            diagonal = above;
        }
    }
    return row[static_cast<std::size_t>(second.size())];
}

QString closestText(const QString& given, const QStringList& candidates) {
    const QStringList closest = closestNames(given, candidates);
    return closest.isEmpty() ? QStringLiteral("it lists nothing")
                             : QStringLiteral("the closest: ") + closest.join(QLatin1String(", "));
}

QStringList shownNames(const LibraryNames& names, const QString& folder, const QStringList& rows) {
    QStringList shown;
    for (const QString& row : rows) {
        shown.append(names.shownName(folder, row));
    }
    return shown;
}

} // namespace

QStringList closestNames(const QString& given, QStringList candidates) {
    constexpr qsizetype kShown = 3;
    candidates.removeDuplicates();
    const QString folded = given.toCaseFolded();
    // Names that hold the given text come first ("Green" -> "Green hoodie"),
    // then the nearest whole name or word of a name ("hodie" -> "Blue hoodie").
    static const QRegularExpression kBetweenWords(QStringLiteral("[^\\w]+"));
    const auto distance = [&folded](const QString& candidate) {
        const QString name = candidate.toCaseFolded();
        qsizetype nearest = editDistance(folded, name);
        for (const QString& word : name.split(kBetweenWords, Qt::SkipEmptyParts)) {
            nearest = std::min(nearest, editDistance(folded, word));
        }
        return std::pair{!name.contains(folded), nearest};
    };
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&distance](const QString& first, const QString& second) {
                         return distance(first) < distance(second);
                     });
    return candidates.first(std::min(kShown, candidates.size()));
}

qsizetype findRow(const QString& given, const QStringList& rows, const QStringList& shown) {
    for (const Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (qsizetype index = 0; index < rows.size(); ++index) {
            if (rows.at(index).compare(given, sensitivity) == 0 ||
                shown.value(index).compare(given, sensitivity) == 0) {
                return index;
            }
        }
    }
    return -1;
}

FoundCategory findCategory(const QString& libraryFolder, const QString& given) {
    const QStringList categories = listSubfolders(libraryFolder).value_or(QStringList());
    const qsizetype index = findRow(given, categories, categories);
    if (index < 0) {
        return {{},
                QStringLiteral("no category \"%1\" in the library; %2")
                    .arg(given, closestText(given, categories))};
    }
    return {categories.at(index), {}};
}

std::optional<QString> putOnNamed(const QString& libraryFolder, const LibraryNames& names,
                                  const QString& setting, Outfit& outfit) {
    const qsizetype equals = setting.indexOf(u'=');
    if (equals < 0) {
        return QStringLiteral("\"%1\" is not CATEGORY=ITEM or CATEGORY=ITEM/VARIANT").arg(setting);
    }
    const FoundCategory found = findCategory(libraryFolder, setting.first(equals));
    if (!found.problem.isEmpty()) {
        return found.problem;
    }
    const std::optional<OpenCategory> category = openCategory(libraryFolder, found.name);
    if (!category) {
        return QStringLiteral("the category folder \"%1\" cannot be opened").arg(found.name);
    }
    const QStringList shownItems = shownNames(names, found.name, category->rows);
    // A name may hold "/" itself: the whole value is tried as an item first,
    // then split at each "/" from the right.
    const QString value = setting.sliced(equals + 1);
    for (qsizetype cut = value.size(); cut >= 0; --cut) {
        if (cut < value.size() && value.at(cut) != u'/') {
            continue;
        }
        const qsizetype item = findRow(value.first(cut), category->rows, shownItems);
        if (item < 0) {
            continue;
        }
        const QString& itemRow = category->rows.at(item);
        ItemPick pick = pickItem(*category, itemRow, outfit);
        if (cut == value.size()) {
            outfit = std::move(pick.outfit);
            return std::nullopt;
        }
        const QString itemName = QStringLiteral("%1 \"%2\"").arg(found.name, value.first(cut));
        if (!pick.variantRows) {
            return QStringLiteral("%1 has no variants").arg(itemName);
        }
        const QString variant = value.sliced(cut + 1);
        const QStringList shownVariants =
            shownNames(names, joinStored(found.name, itemRow), *pick.variantRows);
        const qsizetype index = findRow(variant, *pick.variantRows, shownVariants);
        if (index < 0) {
            return QStringLiteral("%1 has no variant \"%2\"; %3")
                .arg(itemName, variant, closestText(variant, *pick.variantRows + shownVariants));
        }
        outfit = pickVariant(*category, itemRow, static_cast<int>(index),
                             pick.variantRows->at(index), std::move(pick.outfit));
        return std::nullopt;
    }
    return QStringLiteral("no item \"%1\" in %2; %3")
        .arg(value, found.name, closestText(value, category->rows + shownItems));
}

} // namespace brindo::cli
