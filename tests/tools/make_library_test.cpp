#include "support/file_bytes.h"

#include <QDirIterator>
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

} // namespace
