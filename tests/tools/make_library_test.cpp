#include "files/profile_text.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Draws the library into the folder, then answers every file below it with
// its bytes, keyed by relative path.
QMap<QString, QByteArray> generate(const QString& folder, const QStringList& options) {
    QProcess process;
    process.start(QStringLiteral(BRINDO_MAKE_LIBRARY), QStringList{"--output", folder} + options);
    EXPECT_TRUE(process.waitForFinished(120000) && process.exitCode() == 0);
    QMap<QString, QByteArray> all;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        all.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
    }
    return all;
}

// The layout is proven by "brindo-cli check" passing on the sample library;
// here, that every run draws the same bytes.
TEST(MakeLibraryTest, RunsAreRepeatable) {
    QTemporaryDir first;
    QTemporaryDir second;
    const auto firstRun = generate(first.path(), {});
    EXPECT_GT(firstRun.size(), 200);
    EXPECT_TRUE(firstRun == generate(second.path(), {"--scale", "1"}));
}

// The built sample library lies beside brindo-cli; every item and variant
// that its lists show has a name in its names file.
TEST(MakeLibraryTest, NamesFileNamesEveryListedItemAndVariant) {
    QFile file(QFileInfo(QStringLiteral(BRINDO_CLI)).dir().filePath("library.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "CRLF line ends";
    const brindo::ProfileText names(bytes);

    QProcess list;
    list.start(QStringLiteral(BRINDO_CLI), {"list", "--json"});
    ASSERT_TRUE(list.waitForFinished(120000) && list.exitCode() == 0);
    const QJsonArray categories =
        QJsonDocument::fromJson(list.readAllStandardOutput()).object()["categories"].toArray();
    EXPECT_EQ(categories.size(), 14);
    int named = 0;
    for (const QJsonValue category : categories) {
        const QString section = category["name"].toString();
        EXPECT_EQ(names.read(section, "licence"), "CC0-1.0") << section.toStdString();
        for (const QJsonValue item : category["items"].toArray()) {
            const QString row = item["name"].toString();
            if (row != "<none>") {
                EXPECT_NE(names.read(section, row), "") << (section + '/' + row).toStdString();
                ++named;
            }
            for (const QJsonValue variant : item["variants"].toArray()) {
                const QString name = variant["name"].toString();
                EXPECT_NE(names.read(section + '\\' + row, name), "")
                    << (section + '/' + row + '/' + name).toStdString();
                ++named;
            }
        }
    }
    EXPECT_GT(named, 150);
}

} // namespace
