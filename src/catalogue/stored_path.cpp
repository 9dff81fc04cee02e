#include "catalogue/stored_path.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace brindo {

namespace {

// No path longer than this names a file here (Linux's PATH_MAX); a document
// can hold far longer ones.
constexpr qsizetype kLongestPath = 4096;

bool isFileOnDisk(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// A tail that climbs out of the folder it is looked for in ("..") or stays in
// place (".") names no image under that folder.
bool staysBelow(const QStringList& components) {
    return std::none_of(components.begin(), components.end(), [](const QString& component) {
        return component == u"." || component == u"..";
    });
}

// The entry of `folder` whose name matches `name` ignoring case, or an empty
// string. When several match, the first in name order wins, so the answer is
// stable.
QString caseInsensitiveEntry(const QString& folder, const QString& name) {
    QString first;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && (first.isEmpty() || entry < first)) {
            first = entry;
        }
    }
    return first;
}

QString appendNative(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// Walks the components below `root`, matching each ignoring case when its
// exact spelling is missing. Once a component is not found the rest is
// appended as written, in one go, so that a long path costs no more than its
// length.
QString resolveComponents(QString resolved, const QStringList& components) {
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QString& component = components.at(i);
        if (component.isEmpty()) {
            continue;
        }
        QString next = appendNative(resolved, component);
        if (!QFileInfo::exists(next)) {
            const QString match = caseInsensitiveEntry(resolved, component);
            if (match.isEmpty()) {
                QStringList rest = components.sliced(i);
                rest.removeAll(QString());
                return appendNative(resolved, rest.join(u'/'));
            }
            next = appendNative(resolved, match);
        }
        resolved = next;
    }
    return resolved;
}

} // namespace

QString storedFromNative(const QString& nativePath) {
    QString stored = QDir::fromNativeSeparators(nativePath);
    stored.replace(u'/', kStoredSeparator);
    while (stored.size() > 1 && stored.endsWith(kStoredSeparator)) {
        stored.chop(1);
    }
    return stored;
}

bool canStoreName(const QString& nativePathOrName) {
    return !nativePathOrName.contains(kStoredSeparator);
}

QString joinStored(const QString& folder, const QString& name) {
    return folder + kStoredSeparator + name;
}

QString nativeEntryPath(const QString& storedFolder, const QString& name) {
    return appendNative(nativePath(storedFolder), name);
}

namespace {

struct NativeLookup {
    QString path;
    bool seen = false; // something is there: the path needs no second look
};

// The stored path with its separators turned, as written; empty when it is
// not absolute.
QString asWritten(const QString& storedPath) {
    if (!storedPath.startsWith(kStoredSeparator)) {
        return {};
    }
    QString direct = storedPath;
    direct.replace(kStoredSeparator, u'/');
    return direct;
}

NativeLookup lookUpNative(const QString& storedPath) {
    QString direct = asWritten(storedPath);
    if (direct.isEmpty()) {
        return {};
    }
    if (direct.size() > kLongestPath) {
        return {direct};
    }
    if (QFileInfo::exists(direct)) {
        return {direct, true};
    }
    return {resolveComponents(QStringLiteral("/"), storedPath.split(kStoredSeparator))};
}

} // namespace

QString nativePath(const QString& storedPath) {
    return lookUpNative(storedPath).path;
}

QString locateImage(const QString& storedPath, const QString& libraryFolder) {
    NativeLookup asStored = lookUpNative(storedPath);
    if (asStored.seen || (!asStored.path.isEmpty() && QFileInfo::exists(asStored.path))) {
        return asStored.path;
    }
    const QString root = nativePath(libraryFolder);
    if (root.isEmpty() || !QFileInfo(root).isDir()) {
        return {};
    }
    // Longest tail first: "\Old\Brindo\Hair\Long\011.png" is tried as
    // "Old\Brindo\Hair\Long\011.png", "Brindo\Hair\Long\011.png", ... and
    // "011.png" last. Only a tail short enough to be a path is tried.
    QStringView tail = storedPath;
    if (tail.size() > kLongestPath) {
        tail = tail.last(kLongestPath);
        const qsizetype separator = tail.indexOf(kStoredSeparator);
        if (separator < 0) {
            return {};
        }
        tail = tail.sliced(separator + 1);
    }
    QStringList components = tail.toString().split(kStoredSeparator, Qt::SkipEmptyParts);
    while (!components.isEmpty()) {
        if (staysBelow(components)) {
            QString candidate = resolveComponents(root, components);
            if (isFileOnDisk(candidate)) {
                return candidate;
            }
        }
        components.removeFirst();
    }
    return {};
}

LocatedImage locateImageFile(const QString& storedPath, const QString& libraryFolder) {
    QString direct = asWritten(storedPath);
    if (!direct.isEmpty() && direct.size() <= kLongestPath) {
        if (auto identity = regularFileIdentity(direct)) {
            return {std::move(direct), identity};
        }
    }
    QString found = locateImage(storedPath, libraryFolder);
    std::optional<FileIdentity> identity;
    if (!found.isEmpty()) {
        identity = regularFileIdentity(found);
    }
    return {std::move(found), identity};
}

QStringList placeInLibrary(const QString& storedPath, const QString& libraryFolder) {
    const QString found = locateImage(storedPath, libraryFolder);
    const QString root = nativePath(libraryFolder);
    if (found.isEmpty() || root.isEmpty()) {
        return {};
    }
    const auto below = [](const QString& file, const QString& folder) {
        const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
        return folder.isEmpty() || !file.startsWith(prefix)
                   ? QStringList()
                   : file.sliced(prefix.size()).split(u'/', Qt::SkipEmptyParts);
    };
    // The path as found, or where it leads: a link on the way to the library,
    // or a path stored with "..". Links are resolved only when needed, since
    // that asks the disk about every component.
    QStringList place = below(QDir::cleanPath(found), QDir::cleanPath(root));
    if (place.isEmpty()) {
        place = below(QFileInfo(found).canonicalFilePath(), QFileInfo(root).canonicalFilePath());
    }
    return place;
}

} // namespace brindo
