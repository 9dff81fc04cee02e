#pragma once

#include "files/profile_text.h"

#include <QHash>
#include <QLatin1String>
#include <QString>
#include <QStringList>

namespace brindo {

// The file at a library's root that names its items and variants and credits
// their makers. It is not a category, and never an item.
inline constexpr QLatin1String kNamesFile{"library.ini"};

// Who made a category or an item, under which licence, and where it comes from.
struct Credit {
    QString author;
    QString licence;
    QString url;

    bool isEmpty() const { return author.isEmpty() && licence.isEmpty() && url.isEmpty(); }
    bool operator==(const Credit&) const = default;
};

// The names and credits of a library's names file: one section per category
// ("[Tops]") or item folder ("[Hair\Long]"), whose keys are the rows as the
// lists show them ("01=Green hoodie") or the credit keys "author", "licence"
// and "url". Names and sections match ignoring letter case.
class LibraryNames {
public:
    LibraryNames() = default;
    explicit LibraryNames(const ProfileText& text);

    // Reads the names file of the library in `libraryFolder`; a file that is
    // missing, not a regular file or far too large names nothing.
    static LibraryNames read(const QString& libraryFolder);

    // The name shown for a row of a list: `folder` is the category ("Tops")
    // for its items, or the category and item ("Hair\Long") for the item's
    // variants. The row itself where the library names none.
    QString shownName(const QString& folder, const QString& row) const;
    // The shown names of rows of one list, in the same order.
    QStringList shownNames(const QString& folder, const QStringList& rows) const;

    // The credit of an item: its own section's ("[Tops\02]", "[Hair\Long]")
    // where that has one, else its category's.
    Credit credit(const QString& category, const QString& item) const;

    bool isEmpty() const { return sections_.isEmpty(); }

private:
    using Keys = QHash<QString, QString>; // case-folded key -> value
    QHash<QString, Keys> sections_;       // case-folded section -> keys
};

} // namespace brindo
