#include <QDirIterator>
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

} // namespace
