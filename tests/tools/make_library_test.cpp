#include "cli_run.h"
#include "files/profile_text.h"
#include "support/file_bytes.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Draws the library into the folder; answers every file's bytes by its relative path.
QMap<QString, QByteArray> generate(const QString& folder, const QStringList& options) {
    QProcess process;
    process.start(QStringLiteral(BRINDO_MAKE_LIBRARY), QStringList{"--output", folder} + options);
    EXPECT_TRUE(process.waitForFinished(120000) && process.exitCode() == 0);
    QMap<QString, QByteArray> all;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        all.insert(QDir(folder).relativeFilePath(file), brindo::test::readFile(file));
    }
    return all;
}

// The layout is proven by "brindo-cli check"; here, that every run draws the same bytes.
TEST(MakeLibraryTest, RunsAreRepeatable) {
    QTemporaryDir first;
    QTemporaryDir second;
    const auto firstRun = generate(first.path(), {});
    EXPECT_GT(firstRun.size(), 200);
    EXPECT_TRUE(firstRun == generate(second.path(), {"--scale", "1"}));
}

// Every item and variant of the sample library beside brindo-cli has a name.
TEST(MakeLibraryTest, NamesFileNamesEveryListedItemAndVariant) {
    const QByteArray bytes =
        brindo::test::readFile(QFileInfo(QStringLiteral(BRINDO_CLI)).dir().filePath("library.ini"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "CRLF line ends";
    const brindo::ProfileText names(bytes);

    const brindo::test::CliRun list = brindo::test::cli({"list", "--json"});
    ASSERT_EQ(list.status, 0);
    const QJsonArray categories =
        QJsonDocument::fromJson(list.out).object()["categories"].toArray();
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
