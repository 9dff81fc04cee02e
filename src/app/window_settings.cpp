#include "app/window_settings.h"

#include <QDir>
#include <QFileInfo>

namespace brindo {

namespace {

constexpr auto kOutfitFolderKey = "folders/outfits";
constexpr auto kPictureFolderKey = "folders/pictures";
constexpr auto kRecentFilesKey = "recentFiles";
constexpr auto kTransparentExportKey = "export/transparentBackground";
constexpr auto kKeptCategoriesKey = "random/keptCategories";
constexpr auto kRandomReadyMadeKey = "random/readyMade";
constexpr auto kZoomKey = "view/zoom";
constexpr auto kClientSizeKey = "view/clientSize";
constexpr auto kShowPreviewsKey = "view/showPreviews";

QString folderKey(FileKind kind) {
    return QString::fromLatin1(kind == FileKind::Outfit ? kOutfitFolderKey : kPictureFolderKey);
}

// One spelling for each file, so that a file is listed once.
QString cleanPath(const QString& nativeFile) {
    return QDir::cleanPath(QFileInfo(nativeFile).absoluteFilePath());
}

} // namespace

QString WindowSettings::lastFolder(FileKind kind) const {
    return settings_.value(folderKey(kind)).toString();
}

void WindowSettings::setLastFolder(FileKind kind, const QString& nativeFolder) {
    settings_.setValue(folderKey(kind), nativeFolder);
}

QStringList WindowSettings::recentFiles() const {
    return settings_.value(kRecentFilesKey).toStringList();
}

void WindowSettings::addRecentFile(const QString& nativeFile) {
    const QString file = cleanPath(nativeFile);
    QStringList files = recentFiles();
    files.removeAll(file);
    files.prepend(file);
    settings_.setValue(kRecentFilesKey, files.mid(0, kRecentFileCount));
}

void WindowSettings::removeRecentFile(const QString& nativeFile) {
    QStringList files = recentFiles();
    files.removeAll(cleanPath(nativeFile));
    settings_.setValue(kRecentFilesKey, files);
}

void WindowSettings::clearRecentFiles() {
    settings_.remove(kRecentFilesKey);
}

bool WindowSettings::transparentExport() const {
    return settings_.value(kTransparentExportKey, false).toBool();
}

void WindowSettings::setTransparentExport(bool transparent) {
    settings_.setValue(kTransparentExportKey, transparent);
}

QSet<QString> WindowSettings::keptCategories() const {
    const QStringList names = settings_.value(kKeptCategoriesKey).toStringList();
    return {names.begin(), names.end()};
}

void WindowSettings::setKeptCategory(const QString& category, bool kept) {
    QStringList names = settings_.value(kKeptCategoriesKey).toStringList();
    names.removeAll(category);
    if (kept) {
        names.append(category);
    }
    settings_.setValue(kKeptCategoriesKey, names);
}

bool WindowSettings::randomReadyMade() const {
    return settings_.value(kRandomReadyMadeKey, false).toBool();
}

void WindowSettings::setRandomReadyMade(bool allowed) {
    settings_.setValue(kRandomReadyMadeKey, allowed);
}

std::optional<int> WindowSettings::zoom() const {
    bool isNumber = false;
    const int zoom = settings_.value(kZoomKey).toInt(&isNumber);
    return isNumber && zoom >= 1 ? std::optional(zoom) : std::nullopt;
}

QSize WindowSettings::clientSize() const {
    return settings_.value(kClientSizeKey).toSize();
}

void WindowSettings::setView(int zoom, QSize clientSize) {
    settings_.setValue(kZoomKey, zoom);
    settings_.setValue(kClientSizeKey, clientSize);
}

bool WindowSettings::showPreviews() const {
    return settings_.value(kShowPreviewsKey, true).toBool();
}

void WindowSettings::setShowPreviews(bool shown) {
    settings_.setValue(kShowPreviewsKey, shown);
}

} // namespace brindo
