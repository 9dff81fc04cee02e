#include "catalogue/folder_listing.h"
#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using brindo::joinStored;
using brindo::storedFromNative;

int runGenerator(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(BRINDO_MAKE_LIBRARY), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    return process.exitCode();
}

QStringList files(const QString& stored) {
    return brindo::listFiles(stored).value_or(QStringList{QStringLiteral("<unlistable>")});
}

QStringList subfolders(const QString& stored) {
    return brindo::listSubfolders(stored).value_or(QStringList{QStringLiteral("<unlistable>")});
}

QStringList numbered(int first, int last, const QString& suffix) {
    QStringList names;
    for (int n = first; n <= last; ++n) {
        names << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) + suffix;
    }
    return names;
}

// Every file below the folder with its bytes, keyed by relative path.
QMap<QString, QByteArray> contents(const QString& folder) {
    QMap<QString, QByteArray> all;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        all.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
    }
    return all;
}

TEST(MakeLibrary, WritesTheLayoutTheProgramReads) {
    QTemporaryDir dir;
    ASSERT_EQ(runGenerator({QStringLiteral("--output"), dir.path()}), 0);
    const QString root = storedFromNative(dir.path());
    const auto category = [&](const char* name) {
        return joinStored(root, QString::fromLatin1(name));
    };

    EXPECT_EQ(subfolders(root),
              QStringList({"Backgrounds", "Bottoms", "Eyes", "Eyewear", "Footwear", "Foregrounds",
                           "Friends and pets", "Hair", "Hats", "Interests", "Mouth", "Other",
                           "Ready-made outfits", "Tops"}));
    EXPECT_EQ(files(root), QStringList({"10195.png", "10196.png", "wm.png"}));

    for (const char* flat : {"Backgrounds", "Bottoms", "Eyewear", "Footwear", "Foregrounds",
                             "Friends and pets", "Hats", "Interests", "Other", "Tops"}) {
        EXPECT_GE(files(category(flat)).size(), 3) << flat;
        EXPECT_TRUE(subfolders(category(flat)).isEmpty()) << flat;
    }
    EXPECT_EQ(files(category("Bottoms")).value(0), "00.png");

    for (const char* withVariants : {"Eyes", "Mouth"}) {
        EXPECT_TRUE(files(category(withVariants)).isEmpty()) << withVariants;
        bool someWithoutVariants = false;
        for (const QString& item : subfolders(category(withVariants))) {
            const QStringList pictures = files(joinStored(category(withVariants), item));
            EXPECT_EQ(pictures, numbered(0, static_cast<int>(pictures.size()) - 1, ".png"))
                << item.toStdString();
            EXPECT_LE(pictures.size(), 5) << item.toStdString();
            someWithoutVariants = someWithoutVariants || pictures.size() == 1;
        }
        EXPECT_TRUE(someWithoutVariants) << withVariants;
    }

    int oneLayer = 0;
    int twoLayer = 0;
    for (const QString& item : subfolders(category("Hair"))) {
        const QStringList pictures = files(joinStored(category("Hair"), item));
        QStringList pairs;
        for (const QString& stem : numbered(0, 20, "")) {
            pairs << stem + "1.png" << stem + "2.png";
        }
        if (pictures == numbered(0, 20, ".png")) {
            ++oneLayer;
        } else if (pictures == pairs) {
            ++twoLayer;
        } else {
            ADD_FAILURE() << "hair item " << item.toStdString() << " has " << pictures.size()
                          << " files";
        }
    }
    EXPECT_GE(oneLayer, 2);
    EXPECT_GE(twoLayer, 2);

    const QString outfits = category("Ready-made outfits");
    EXPECT_EQ(subfolders(outfits), numbered(1, 12, ""));
    for (const QString& outfit : numbered(1, 12, "")) {
        QStringList frames;
        for (int frame = 1; frame <= brindo::readyMadeFrameCount(outfit); ++frame) {
            if (frame != 4) {
                frames << QString::number(frame) + ".png";
            }
        }
        EXPECT_EQ(files(joinStored(outfits, outfit)), frames) << outfit.toStdString();
    }

    QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        EXPECT_EQ(QImageReader(file, "png").size(), QSize(110, 212)) << file.toStdString();
    }
    const QImage figure(dir.filePath("10195.png"));
    EXPECT_EQ(qAlpha(figure.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(figure.pixel(55, 44)), 255);
    const QImage background(dir.filePath("Backgrounds/01.png"));
    EXPECT_EQ(qAlpha(background.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(background.pixel(109, 211)), 255);
}

TEST(MakeLibrary, RunsAreRepeatableAndOptionsAreChecked) {
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_EQ(runGenerator({"--output", first.path()}), 0);
    ASSERT_EQ(runGenerator({"--output", second.path(), "--scale", "1"}), 0);
    const QMap<QString, QByteArray> firstRun = contents(first.path());
    EXPECT_GT(firstRun.size(), 200);
    EXPECT_TRUE(firstRun == contents(second.path()));

    // --clean clears what an earlier library left in the categories and
    // nothing else, such as the program beside them.
    QDir(second.path()).mkpath("Hair/Old");
    QFile(second.filePath("Hair/Old/00.png")).open(QIODevice::WriteOnly);
    QFile(second.filePath("brindo")).open(QIODevice::WriteOnly);
    ASSERT_EQ(runGenerator({"--output", second.path(), "--clean", "--scale", "0.5"}), 0);
    EXPECT_FALSE(QFile::exists(second.filePath("Hair/Old")));
    EXPECT_TRUE(QFile::exists(second.filePath("brindo")));
    EXPECT_EQ(QImageReader(second.filePath("Hair/Long/202.png")).size(), QSize(55, 106));

    QTemporaryDir untouched;
    for (const QStringList& bad :
         {QStringList{"--scale", "2"}, QStringList{"--output", untouched.path(), "extra"},
          QStringList{"--output", untouched.path(), "--scale", "0"},
          QStringList{"--output", untouched.path(), "--scale", "-1"},
          QStringList{"--output", untouched.path(), "--scale", "big"},
          QStringList{"--output", untouched.path(), "--colour"}}) {
        EXPECT_EQ(runGenerator(bad), 2) << bad.join(' ').toStdString();
    }
    EXPECT_TRUE(QDir(untouched.path()).isEmpty());
}

} // namespace
