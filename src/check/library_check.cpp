#include "check/library_check.h"

#include "catalogue/category_keywords.h"
#include "catalogue/folder_listing.h"
#include "catalogue/item_names.h"
#include "catalogue/item_pick.h"
#include "catalogue/library_layout.h"
#include "catalogue/library_names.h"
#include "catalogue/open_category.h"
#include "catalogue/stored_path.h"
#include "check/library_checker.h"
#include "files/message_text.h"
#include "files/regular_file.h"
#include "render/png/png_loading.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QObject>
#include <algorithm>

namespace brindo {

namespace check {

namespace {

// The format a file's bytes show, read from a regular file only.
QByteArray pictureFormat(const QString& nativeFile) {
    const OpenedFile opened = openRegularFile(nativeFile);
    return opened.ok() ? QImageReader::imageFormat(opened.file.get()) : QByteArray();
}

} // namespace

void LibraryChecker::add(LibraryFinding::Severity severity, const QString& nativePath,
                         const QString& message) {
    findings_.append({severity, QDir::toNativeSeparators(nativePath), message});
}

void LibraryChecker::error(const QString& storedPath, const QString& message) {
    add(LibraryFinding::Severity::Error, nativePath(storedPath), message);
}

void LibraryChecker::warning(const QString& storedPath, const QString& message) {
    add(LibraryFinding::Severity::Warning, nativePath(storedPath), message);
}

bool LibraryChecker::storableName(const QString& storedFolder, const QString& name) {
    if (canStoreName(name)) {
        return true;
    }
    add(LibraryFinding::Severity::Error, nativeEntryPath(storedFolder, name),
        QObject::tr("its name holds the character \"%1\", which outfit documents cannot store "
                    "in a path, so the program cannot open it; rename it without \"%1\"")
            .arg(kStoredSeparator));
    return false;
}

QString unreadableFolderText(const QString& storedFolder) {
    if (folderCanBeRead(storedFolder) == FolderAccess::NoPermission) {
        return QObject::tr("cannot be read: you do not have permission to read it; make it "
                           "readable");
    }
    return QObject::tr("cannot be opened: it was moved or removed while it was checked");
}

bool LibraryChecker::isFile(const QString& storedPath) {
    const QString native = nativePath(storedPath);
    return !native.isEmpty() && QFileInfo(native).isFile();
}

std::optional<QSize> LibraryChecker::checkImage(const QString& storedPath) {
    if (!isFile(storedPath)) {
        return std::nullopt;
    }
    const QString native = nativePath(storedPath);
    if (const auto known = checked_.constFind(native); known != checked_.constEnd()) {
        return *known;
    }
    const LoadedPicture loaded = decodePngFile(native);
    if (loaded.result == LoadResult::FileNotFound) {
        return std::nullopt; // no longer a regular file
    }
    const QImage& image = loaded.image;
    checked_.insert(native, image.size());
    if (loaded.result == LoadResult::TooLarge) {
        error(storedPath, QObject::tr("is too large (%1 x %2 pixels; the limit is %3), so it "
                                      "draws nothing: make it smaller")
                              .arg(loaded.tooLarge.width())
                              .arg(loaded.tooLarge.height())
                              .arg(pngLimitText()));
    } else if (image.isNull()) {
        const QByteArray format = pictureFormat(native);
        if (format.isEmpty() || format == "png") {
            error(storedPath, QObject::tr("cannot be decoded as a PNG picture (it may be damaged "
                                          "or cut short), so it draws nothing: save it again"));
        } else {
            error(storedPath, QObject::tr("is a %1 picture, not PNG, so it draws nothing: the "
                                          "program reads only PNG; save it as PNG")
                                  .arg(QString::fromLatin1(format.toUpper())));
        }
    } else if (figureSize_.isValid() && image.size() != figureSize_) {
        warning(storedPath, QObject::tr("is %1x%2 pixels and the base figure %3x%4: it is drawn "
                                        "unscaled at the top-left corner, so it will not line "
                                        "up; make it the base figure's size")
                                .arg(image.width())
                                .arg(image.height())
                                .arg(figureSize_.width())
                                .arg(figureSize_.height()));
    }
    return image.size();
}

QStringList itemImages(const OpenCategory& category, const QString& row) {
    return imagesPutOn(Outfit{}, pickItem(category, row, Outfit{}).outfit);
}

void checkListedFile(LibraryChecker& checker, const QString& folder, const QString& fileName,
                     const QString& loadPath) {
    const QString listed = joinStored(folder, fileName);
    const QString row = listedName(fileName);
    const QString loaded = imageFileName(row);
    if (!LibraryChecker::isFile(loadPath)) {
        checker.error(listed, QObject::tr("is listed as \"%1\", which loads \"%2\": there is no "
                                          "such file, so picking it puts nothing on; name it "
                                          "\"%2\" or move it out of the folder")
                                  .arg(fitForMessage(row), fitForMessage(loaded)));
        return;
    }
    const QFileInfo listedFile(nativePath(listed));
    if (QFileInfo(nativePath(loadPath)).canonicalFilePath() != listedFile.canonicalFilePath()) {
        checker.warning(listed, QObject::tr("is listed as \"%1\", which loads the file \"%2\" "
                                            "instead: remove one of the two")
                                    .arg(fitForMessage(row), fitForMessage(loaded)));
    } else if (fileName != loaded) {
        checker.warning(listed, QObject::tr("loads only because names match ignoring letter "
                                            "case: name it \"%1\"")
                                    .arg(fitForMessage(loaded)));
    }
    checker.checkImage(loadPath);
}

void checkFlatCategory(LibraryChecker& checker, const OpenCategory& category) {
    for (const QString& file : category.files) {
        if (!checker.storableName(category.folder, file)) {
            continue;
        }
        for (const QString& image : itemImages(category, listedName(file))) {
            checkListedFile(checker, category.folder, file, image);
        }
    }
}

} // namespace check

namespace {

using check::LibraryChecker;

void checkFixedFiles(LibraryChecker& checker) {
    const QString root = checker.root();
    const LibraryLayout layout = resolveLibraryLayout(root);
    const std::optional<QSize> figure = checker.checkImage(layout.baseFigure);
    if (!figure) {
        checker.error(layout.baseFigure,
                      QObject::tr("the base figure is missing: the picture has no size and there "
                                  "is no character to dress; add it"));
    } else if (!figure->isEmpty()) {
        checker.setFigureSize(*figure);
    }
    if (!checker.checkImage(layout.figureOverlay)) {
        checker.error(layout.figureOverlay,
                      QObject::tr("the figure overlay is missing, so every picture lacks it; "
                                  "add it"));
    }
    if (!checker.checkImage(layout.defaultBottoms)) {
        checker.error(layout.defaultBottoms,
                      QObject::tr("the default bottoms are missing: the character starts, and "
                                  "New starts, without bottoms; add them"));
    }
    const QString watermark = joinStored(root, QString(kWatermarkFile));
    if (!checker.checkImage(watermark) && QFileInfo::exists(nativePath(watermark))) {
        checker.warning(watermark, QObject::tr("is not a regular file, so no watermark is drawn"));
    }
}

bool standsAsWord(const QString& name, const QString& keyword) {
    for (qsizetype at = name.indexOf(keyword); at >= 0; at = name.indexOf(keyword, at + 1)) {
        const qsizetype end = at + keyword.size();
        if ((at == 0 || !name.at(at - 1).isLetter()) &&
            (end == name.size() || !name.at(end).isLetter())) {
            return true;
        }
    }
    return false;
}

// Whether the category's name leads its items to the layer it most likely
// means; answers false when its items dress no layer at all.
bool checkCategoryName(LibraryChecker& checker, const OpenCategory& category) {
    const QString name = category.name.toLower();
    QStringList found;
    QStringList all;
    for (const CategoryKeyword& entry : kCategoryKeywords) {
        all.append(entry.keyword);
        if (name.contains(entry.keyword)) {
            found.append(entry.keyword);
        }
    }
    const auto slot = slotForFlatCategory(category.name);
    if (!slot) {
        checker.warning(category.folder,
                        QObject::tr("its name holds none of the keywords %1, and it is not named "
                                    "\"Hair\" or \"Ready-made outfits\": it is listed, but its "
                                    "items put nothing on; rename it")
                            .arg(all.join(QLatin1String(", "))));
        return false;
    }
    if (found.size() > 1) {
        checker.warning(category.folder,
                        QObject::tr("its name holds the keywords %1; the first of them wins, so "
                                    "its items dress the %2 layer; rename it if another is meant")
                            .arg(found.join(QLatin1String(", ")), slotName(*slot)));
    } else if (!standsAsWord(name, found.constFirst())) {
        checker.warning(category.folder,
                        QObject::tr("its name holds \"%1\" inside a longer word, so its items "
                                    "dress the %2 layer; rename it if another is meant")
                            .arg(found.constFirst(), slotName(*slot)));
    }
    return true;
}

void checkCategory(LibraryChecker& checker, const QString& name) {
    if (!checker.storableName(checker.root(), name)) {
        return;
    }
    const QString folder = joinStored(checker.root(), name);
    const std::optional<OpenCategory> category = openCategory(checker.root(), name);
    const auto subfolders = listSubfolders(folder);
    if (!category || !subfolders) {
        checker.error(
            folder, QObject::tr("the category folder %1").arg(check::unreadableFolderText(folder)));
        return;
    }
    const QStringList& files = category->files;
    if (files.isEmpty() && subfolders->isEmpty()) {
        checker.warning(category->folder, QObject::tr("is empty: it lists no items"));
        return;
    }
    const bool hair = category->kind == CategoryKind::Hair;
    if (hair || category->kind == CategoryKind::ReadyMade) {
        if (!files.isEmpty()) {
            checker.error(category->folder,
                          QObject::tr("holds files, but its items must be folders: its rows "
                                      "open nothing; move the files into item folders"));
            return;
        }
        for (const QString& item : *subfolders) {
            if (!checker.storableName(category->folder, item)) {
                continue;
            }
            if (hair) {
                check::checkHairItem(checker, *category, item);
            } else {
                check::checkReadyMadeOutfit(checker, *category, item);
            }
        }
        return;
    }
    const bool dresses = checkCategoryName(checker, *category);
    if (!files.isEmpty()) {
        if (!subfolders->isEmpty()) {
            checker.warning(category->folder,
                            QObject::tr("holds files, so its sub-folders (%1) are not listed; "
                                        "move them out or put their images in the folder")
                                .arg(fewNames(*subfolders)));
        }
        check::checkFlatCategory(checker, *category);
    } else if (slotForFolderCategory(name)) {
        for (const QString& item : *subfolders) {
            if (checker.storableName(category->folder, item)) {
                check::checkFaceItem(checker, *category, item);
            }
        }
    } else if (dresses) {
        checker.warning(category->folder,
                        QObject::tr("holds only folders, and only eyes and mouth items can be "
                                    "folders: its items put nothing on; put the images directly "
                                    "in it"));
    }
}

// A library that credits the makers of some of its items most likely means
// to credit all of them: the items it leaves out are named per category.
void checkCredits(LibraryChecker& checker, const QStringList& categories) {
    const LibraryNames names = LibraryNames::read(checker.root());
    if (names.isEmpty()) {
        return;
    }
    bool anyCredited = false;
    QList<std::pair<OpenCategory, QStringList>> uncredited;
    for (const QString& name : categories) {
        std::optional<OpenCategory> category = openCategory(checker.root(), name);
        if (!category) {
            continue;
        }
        QStringList items;
        for (const QString& row : category->rows) {
            if (row != kNoneRow) {
                const bool credited = !names.credit(name, row).isEmpty();
                anyCredited = anyCredited || credited;
                if (!credited) {
                    items.append(row);
                }
            }
        }
        if (!items.isEmpty()) {
            uncredited.append({std::move(*category), items});
        }
    }
    for (const auto& [category, items] : uncredited) {
        if (anyCredited) {
            checker.warning(
                category.folder,
                QObject::tr("of its items, %1 credited nowhere in %2 (no author, licence "
                            "or url), while other items of the library are: add the "
                            "credit under [%3] or under each item's own section")
                    .arg(check::missingNames(items), QString(kNamesFile), category.name));
        }
    }
}

} // namespace

QList<LibraryFinding> checkLibrary(const QString& libraryFolder) {
    LibraryChecker checker(libraryFolder);
    const auto categories = listSubfolders(libraryFolder);
    if (!categories) {
        checker.error(libraryFolder,
                      QObject::tr("the library folder does not exist or cannot be opened"));
        return checker.takeFindings();
    }
    checkFixedFiles(checker);
    if (categories->isEmpty()) {
        checker.warning(libraryFolder,
                        QObject::tr("holds no category folders, so there is nothing to pick"));
    }
    for (const QString& name : *categories) {
        checkCategory(checker, name);
    }
    checkCredits(checker, *categories);
    return checker.takeFindings();
}

} // namespace brindo
