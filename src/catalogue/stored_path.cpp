#include "catalogue/stored_path.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace brindo {

namespace {

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
    QStringList matches;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            matches.append(entry);
        }
    }
    if (matches.isEmpty()) {
        return {};
    }
    std::sort(matches.begin(), matches.end());
    return matches.front();
}

QString appendNative(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// Walks the components below `root`, matching each ignoring case when its
// exact spelling is missing. Once a component is not found the rest is
// appended as written.
QString resolveComponents(QString resolved, const QStringList& components) {
    bool found = true;
    for (const QString& component : components) {
        if (component.isEmpty()) {
            continue;
        }
        QString next = appendNative(resolved, component);
        if (found && !QFileInfo::exists(next)) {
            const QString match = caseInsensitiveEntry(resolved, component);
            if (match.isEmpty()) {
                found = false;
            } else {
                next = appendNative(resolved, match);
            }
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

QString joinStored(const QString& folder, const QString& name) {
    return folder + kStoredSeparator + name;
}

QString nativePath(const QString& storedPath) {
    if (!storedPath.startsWith(kStoredSeparator)) {
        return {};
    }
    QString direct = storedPath;
    direct.replace(kStoredSeparator, u'/');
    if (QFileInfo::exists(direct)) {
        return direct;
    }
    return resolveComponents(QStringLiteral("/"), storedPath.split(kStoredSeparator));
}

QString locateImage(const QString& storedPath, const QString& storedInstallFolder) {
    QString asStored = nativePath(storedPath);
    if (!asStored.isEmpty() && QFileInfo::exists(asStored)) {
        return asStored;
    }
    const QString root = nativePath(storedInstallFolder);
    if (root.isEmpty() || !QFileInfo(root).isDir()) {
        return {};
    }
    // Longest tail first: "\Old\Brindo\Hair\Long\011.png" is tried as
    // "Old\Brindo\Hair\Long\011.png", "Brindo\Hair\Long\011.png", ... and
    // "011.png" last.
    QStringList components = storedPath.split(kStoredSeparator, Qt::SkipEmptyParts);
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

} // namespace brindo
