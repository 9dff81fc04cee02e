#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace brindo {

// Names in a folder, the way the library is browsed: hidden entries (names
// starting with a dot) are left out, and names are in ascending order ignoring
// case, ties broken by the exact name. std::nullopt when the folder cannot be
// listed (missing, not a folder, unreadable).
std::optional<QStringList> listFiles(const QString& storedFolder);
std::optional<QStringList> listSubfolders(const QString& storedFolder);

// Sorts names into listing order.
void sortForListing(QStringList& names);

// A folder together with its listing, as the program's file and folder lists
// keep them. Setting a folder that cannot be listed fails and keeps the old
// folder and listing.
class FolderList {
public:
    enum class Kind { Files, Subfolders };

    explicit FolderList(Kind kind) : kind_(kind) {}

    // Accepts the folder with or without a trailing backslash; path() answers
    // it without one.
    bool setPath(const QString& storedFolder);
    const QString& path() const { return path_; }
    int count() const { return static_cast<int>(names_.size()); }
    const QString& name(int index) const { return names_.at(index); }
    const QStringList& names() const { return names_; }

private:
    Kind kind_;
    QString path_;
    QStringList names_;
};

} // namespace brindo
