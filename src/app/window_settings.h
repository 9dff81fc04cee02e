#pragma once

#include <QSet>
#include <QSettings>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace brindo {

// The kinds of file whose dialogs each start in the folder used last for them.
enum class FileKind {
    Outfit,  // Open and Save as: outfit documents and pictures that carry one
    Picture, // Export as Image
};

// What the window remembers from one session to the next. Every key lies in
// window_settings.cpp, behind an accessor named for what it keeps.
class WindowSettings {
public:
    // The longest list of recent files.
    static constexpr int kRecentFileCount = 10;

    // Native path of the folder, or an empty string when none is known yet.
    QString lastFolder(FileKind kind) const;
    void setLastFolder(FileKind kind, const QString& nativeFolder);

    // Native paths, the latest first.
    QStringList recentFiles() const;
    // Puts the file first, once, and forgets the oldest beyond the count.
    void addRecentFile(const QString& nativeFile);
    void removeRecentFile(const QString& nativeFile);
    void clearRecentFiles();

    // Whether Export as Image leaves the canvas colour out of a PNG.
    bool transparentExport() const;
    void setTransparentExport(bool transparent);

    // Categories, by name as listed, that Random Outfit leaves as they are.
    QSet<QString> keptCategories() const;
    void setKeptCategory(const QString& category, bool kept);

    // Whether Random Outfit may choose a ready-made outfit.
    bool randomReadyMade() const;
    void setRandomReadyMade(bool allowed);

    // The zoom of the picture and the size of the client area when the last
    // session ended; none before the first has.
    std::optional<int> zoom() const;
    QSize clientSize() const; // invalid when not known
    void setView(int zoom, QSize clientSize);

    // Whether the lists show previews of their rows.
    bool showPreviews() const;
    void setShowPreviews(bool shown);

private:
    QSettings settings_;
};

} // namespace brindo
