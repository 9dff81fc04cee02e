#include "files/regular_file.h"
#include "support/file_bytes.h"
#include "support/non_regular_files.h"
#include "support/permissions.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brindo {
namespace {

// Anything but a regular file is refused at once as "not a file".
TEST(RegularFileTest, OnlyRegularFilesAreReadAndNothingElseBlocks) {
    const QTemporaryDir folder;
    const test::PipeRelease release(folder.path());
    for (const test::NonRegularFile kind : test::kNonRegularFiles) {
        SCOPED_TRACE(test::describe(kind));
        const QString path = folder.filePath(QString("odd%1.BRD").arg(int(kind)));
        test::makeNonRegularFile(kind, path);
        QElapsedTimer clock;
        clock.start();
        const ReadFile read = readRegularFile(path, 1024);
        EXPECT_EQ(read.status, ReadStatus::NotAFile);
        EXPECT_EQ(read.problem, "it is not a file");
        EXPECT_LT(clock.elapsed(), 1000);
    }
    EXPECT_EQ(readRegularFile(folder.path(), 1024).status, ReadStatus::NotAFile);
    EXPECT_EQ(readRegularFile(folder.filePath("none"), 1024).problem, "it does not exist");

    const QString text = folder.filePath("text.BRD");
    test::writeFile(text, "[Brindo]\n");
    EXPECT_EQ(readRegularFile(text, 1024).bytes, "[Brindo]\n");
    EXPECT_EQ(readRegularFile(text, 8).status, ReadStatus::TooLarge);
    if (test::permissionsEnforced()) {
        QFile::setPermissions(text, QFile::WriteOwner);
        EXPECT_EQ(readRegularFile(text, 1024).status, ReadStatus::NoPermission);
    }
}

} // namespace
} // namespace brindo
