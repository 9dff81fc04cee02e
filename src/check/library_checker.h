#pragma once

// Internal to the library check: the collector of findings and the checks of
// single items, shared by library_check.cpp and library_check_items.cpp.

#include "catalogue/open_category.h"
#include "check/library_check.h"
#include "model/outfit.h"

#include <QHash>
#include <QSize>
#include <QStringList>
#include <optional>

namespace brindo::check {

// Collects findings and checks each image file once.
class LibraryChecker {
public:
    explicit LibraryChecker(QString storedRoot) : root_(std::move(storedRoot)) {}

    const QString& root() const { return root_; }
    void error(const QString& storedPath, const QString& message);
    void warning(const QString& storedPath, const QString& message);
    // Whether a name listed in the folder can be stored; an error when not.
    bool storableName(const QString& storedFolder, const QString& name);
    QList<LibraryFinding> takeFindings() { return std::move(findings_); }

    // Whether the program finds a file at the stored path.
    static bool isFile(const QString& storedPath);

    // Checks a file that the program loads as an image: a PNG picture that
    // decodes and has the base figure's size. Answers its size, or
    // std::nullopt when the program does not find it (nothing is reported
    // then: the caller knows what a missing file means).
    std::optional<QSize> checkImage(const QString& storedPath);
    void setFigureSize(QSize size) { figureSize_ = size; }

private:
    void add(LibraryFinding::Severity severity, const QString& nativePath, const QString& message);

    QString root_;
    QList<LibraryFinding> findings_;
    QHash<QString, QSize> checked_; // native path -> decoded size
    QSize figureSize_;
};

// The images that clicking the item row on a bare outfit puts on.
QStringList itemImages(const OpenCategory& category, const QString& row);

// Checks a file listed in `folder` whose row loads `loadPath`.
void checkListedFile(LibraryChecker& checker, const QString& folder, const QString& fileName,
                     const QString& loadPath);

void checkFlatCategory(LibraryChecker& checker, const OpenCategory& category);
void checkHairItem(LibraryChecker& checker, const OpenCategory& category, const QString& item);
void checkFaceItem(LibraryChecker& checker, const OpenCategory& category, const QString& item);
void checkReadyMadeOutfit(LibraryChecker& checker, const OpenCategory& category,
                          const QString& outfit);

// "a.png is" / "a.png, b.png and 3 more are": names of missing files.
QString missingNames(const QStringList& names);

// Why a folder that cannot be listed cannot, and what to do.
QString unreadableFolderText(const QString& storedFolder);

} // namespace brindo::check
