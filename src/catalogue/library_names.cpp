#include "catalogue/library_names.h"

#include "catalogue/stored_path.h"
#include "files/regular_file.h"

namespace brindo {

namespace {

// No names file comes near this; a larger one is not read at all.
constexpr qint64 kMaxNamesFileBytes = qint64{16} * 1024 * 1024;

constexpr QLatin1String kAuthorKey{"author"};
constexpr QLatin1String kLicenceKey{"licence"};
constexpr QLatin1String kUrlKey{"url"};

bool isCreditKey(const QString& foldedKey) {
    return foldedKey == kAuthorKey || foldedKey == kLicenceKey || foldedKey == kUrlKey;
}

QString folded(const QString& name) {
    return name.trimmed().toCaseFolded();
}

} // namespace

LibraryNames::LibraryNames(const ProfileText& text) {
    for (const ProfileText::Section& section : text.sections()) {
        Keys& keys = sections_[folded(section.name)];
        for (const auto& [key, value] : section.keys) {
            keys.insert(folded(key), value);
        }
    }
}

LibraryNames LibraryNames::read(const QString& libraryFolder) {
    const ReadFile file = readRegularFile(
        nativePath(joinStored(libraryFolder, QString(kNamesFile))), kMaxNamesFileBytes);
    return file.ok() ? LibraryNames(ProfileText(file.bytes)) : LibraryNames();
}

QString LibraryNames::shownName(const QString& folder, const QString& row) const {
    const QString key = folded(row);
    if (isCreditKey(key)) {
        return row;
    }
    const QString name = sections_.value(folded(folder)).value(key);
    return name.trimmed().isEmpty() ? row : name;
}

QStringList LibraryNames::shownNames(const QString& folder, const QStringList& rows) const {
    QStringList names;
    names.reserve(rows.size());
    for (const QString& row : rows) {
        names.append(shownName(folder, row));
    }
    return names;
}

Credit LibraryNames::credit(const QString& category, const QString& item) const {
    const auto creditOf = [this](const QString& section) {
        const Keys keys = sections_.value(folded(section));
        return Credit{keys.value(kAuthorKey), keys.value(kLicenceKey), keys.value(kUrlKey)};
    };
    const Credit own = creditOf(joinStored(category, item));
    return own.isEmpty() ? creditOf(category) : own;
}

} // namespace brindo
