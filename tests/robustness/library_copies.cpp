#include "library_copies.h"

#include "file_bytes.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace brindo::test {

namespace {

constexpr QFileDevice::Permissions kNoPermissions{};
constexpr QFileDevice::Permissions kFolderPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

// Entries of a folder in name order, only those of the given kind.
QStringList entries(const QString& folder, QDir::Filters kind) {
    return QDir(folder).entryList(kind | QDir::NoDotAndDotDot, QDir::Name);
}

QString firstFolder(const QString& folder) {
    const QStringList folders = entries(folder, QDir::Dirs);
    return folders.isEmpty() ? QString() : QDir(folder).filePath(folders.constFirst());
}

} // namespace

QString sampleLibraryFolder() {
    return QStringLiteral(BRINDO_DIST_DIR);
}

void copyLibrary(const QString& from, const QString& to) {
    QDirIterator files(from, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    int copied = 0;
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        QDir().mkpath(QFileInfo(target).path());
        ASSERT_TRUE(QFile::copy(source, target)) << target.toStdString();
        ++copied;
    }
    ASSERT_GT(copied, 100) << "no sample library in " << from.toStdString();
}

QStringList breakLibrary(const QString& root) {
    const QDir library(root);
    QStringList done;
    const auto remove = [&](const QString& relative) {
        if (QFile::remove(library.filePath(relative))) {
            done.append(QStringLiteral("removed ") + relative);
        }
    };
    remove(QStringLiteral("10196.png"));
    remove(QStringLiteral("Bottoms/00.png"));
    remove(QStringLiteral("Ready-made outfits/01/2.png"));
    remove(QStringLiteral("Ready-made outfits/01/5.png"));

    const QStringList tops = entries(library.filePath(QStringLiteral("Tops")), QDir::Files);
    if (tops.size() >= 2) {
        EXPECT_TRUE(
            writeFile(library.filePath(QStringLiteral("Tops/") + tops.at(0)), "not a picture"));
        const QString truncated = library.filePath(QStringLiteral("Tops/") + tops.at(1));
        EXPECT_TRUE(writeFile(truncated, readFile(truncated).first(100)));
        done.append(QStringLiteral("Tops: one image undecodable, one truncated"));
    }

    library.mkpath(QStringLiteral("Empty category"));
    EXPECT_TRUE(writeFile(library.filePath(QStringLiteral("Shoes")), "a category that is a file"));
    done.append(QStringLiteral("an empty category and a category that is a file"));

    const QString hairItem = firstFolder(library.filePath(QStringLiteral("Hair")));
    const QStringList hairFiles = entries(hairItem, QDir::Files);
    for (qsizetype i = 0; i < hairFiles.size(); i += 2) {
        QFile::remove(QDir(hairItem).filePath(hairFiles.at(i)));
    }
    done.append(QStringLiteral("hair item with every other file missing: ") + hairItem);

    const QString eyesItem = firstFolder(library.filePath(QStringLiteral("Eyes")));
    QFile::remove(QDir(eyesItem).filePath(QStringLiteral("00.png")));
    done.append(QStringLiteral("eyes item without 00.png: ") + eyesItem);

    const QStringList hairItems = entries(library.filePath(QStringLiteral("Hair")), QDir::Dirs);
    for (const QString& relative :
         {QStringLiteral("Hats"), QStringLiteral("Hair/") + hairItems.value(1),
          firstFolder(library.filePath(QStringLiteral("Mouth")))}) {
        const QString folder =
            QDir::isAbsolutePath(relative) ? relative : library.filePath(relative);
        QFile::setPermissions(folder, kNoPermissions);
        done.append(QStringLiteral("no permissions: ") + folder);
    }
    return done;
}

void repairPermissions(const QString& root) {
    QDirIterator folders(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QFile::setPermissions(root, kFolderPermissions);
    while (folders.hasNext()) {
        QFile::setPermissions(folders.next(), kFolderPermissions);
    }
}
} // namespace brindo::test
