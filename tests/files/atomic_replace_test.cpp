#include "files/atomic_replace.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brindo {
namespace {

// The new file replaces the old whole; a failed rename is told and loses nothing.
TEST(AtomicReplaceTest, ReplacesWholeOrTellsWhyNot) {
    const QTemporaryDir folder;
    const QString file = folder.filePath("outfit.BRD");
    test::writeFile(file, "old");
    EXPECT_TRUE(replaceFile(file, QByteArray("new")).ok());
    EXPECT_EQ(test::readFile(file), "new");

    // A folder takes the name while the file is being written.
    const QString taken = folder.filePath("taken.BRD");
    const FileOutcome outcome = replaceFile(taken, 3, [&taken](QByteArray& piece) {
        QDir().mkdir(taken);
        piece = "new";
        return false;
    });
    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.problem, "that name belongs to a folder");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"outfit.BRD"});
}

} // namespace
} // namespace brindo
