// A save killed midway or short of disk space leaves the old file or the new
// one whole, and a failed save is told.

#include "robustness.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <random>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>

namespace brindo {
namespace {

// Kills save_child at a random moment after its first save, round after
// round; the file must be one of the two versions.
void killWhileSaving(const char* mode, const QString& file, const QByteArray& first,
                     const QByteArray& second, const char* figures) {
    std::mt19937 random(std::random_device{}());
    const int rounds = test::kSanitized ? 30 : 200;
    int counts[3] = {}; // first, second, neither
    for (int round = 0; round < rounds && counts[2] == 0; ++round) {
        QProcess child;
        child.start(BRINDO_SAVE_CHILD, {mode, file});
        ASSERT_TRUE(child.waitForReadyRead(10000 * test::kSlowdown))
            << "save_child did not start saving: " << child.readAllStandardError().toStdString();
        QThread::usleep(std::uniform_int_distribution<unsigned long>(0, 30000)(random));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit) << "the child had stopped saving";
        const QByteArray bytes = test::readFile(file);
        ++counts[bytes == first ? 0 : bytes == second ? 1 : 2];
        EXPECT_EQ(counts[2], 0) << "round " << round << ": the file is neither version ("
                                << bytes.size() << " bytes)";
    }
    test::writeFigures(figures, {{"rounds", counts[0] + counts[1] + counts[2]},
                                 {"first", counts[0]},
                                 {"second", counts[1]},
                                 {"mixed", counts[2]}});
}

// The file as save_child leaves it after so many saves.
QByteArray saved(const char* mode, const QString& file, int saves) {
    EXPECT_EQ(QProcess::execute(BRINDO_SAVE_CHILD, {mode, file, QString::number(saves)}), 0);
    return test::readFile(file);
}

TEST(SaveKillTest, AKilledSaveLeavesTheOldOrTheNewDocument) {
    const QTemporaryDir folder;
    const QString document = folder.filePath("outfit.BRD");
    // Another program's settings of 300 KB, so that kills land inside writes.
    const QByteArray otherProgram =
        "[Recent]\r\n" + QByteArray("File=C:\\Users\\someone\\a drawing.xyz\r\n").repeated(8000);
    test::writeFile(document, otherProgram);
    const QByteArray first = saved("document", document, 1);
    const QByteArray second = saved("document", document, 2);
    ASSERT_NE(first, second);
    test::writeFile(document, otherProgram);
    killWhileSaving("document", document, first, second, "kill_document_saves");
}

TEST(SaveKillTest, AKilledExportLeavesTheOldOrTheNewPicture) {
    const QTemporaryDir folder;
    const QString picture = folder.filePath("picture.bmp");
    const QByteArray first = saved("picture", picture, 1);
    killWhileSaving("picture", picture, first, saved("picture", picture, 2), "kill_exports");
}

// A file-size limit, and a small file system filled up where one can be mounted.
using FullDiskTest = test::SmallLibraryTest;

TEST_F(FullDiskTest, SavesThatDoNotFitKeepTheOldFilesAndSaySo) {
    const QTemporaryDir folder;
    std::signal(SIGXFSZ, SIG_IGN); // a failed write instead of the signal
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit limited{64, unlimited.rlim_max};
    for (const bool mounted : {false, true}) {
        // 512 KB, mounted in a mount namespace of this process's own and filled up.
        if (mounted &&
            (unshare(CLONE_NEWNS) != 0 ||
             mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
             mount("tmpfs", QFile::encodeName(folder.path()), "tmpfs", 0, "size=512k") != 0)) {
            GTEST_SKIP() << "no small file system can be mounted here (needs root)";
        }
        test::writeFile(folder.filePath("outfit.BRD"), "[Brindo]\n");
        test::writeFile(folder.filePath("picture.bmp"), "[Brindo]\n");
        QFile filler(folder.filePath("filler"));
        if (mounted && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            while (filler.write(QByteArray(4096, 'x')) == 4096 || filler.write("x", 1) == 1) {
            }
        }
        for (const auto& [action, name, what, outcome] :
             {std::tuple{"saveAs", "outfit.BRD", "Save", "the old document stays"},
              {"exportImage", "picture.bmp", "Export as Image", "the old picture stays"}}) {
            const QString fault =
                QString("%1: the disk is full%2").arg(what, mounted ? "" : " (file size limit)");
            SCOPED_TRACE(fault.toStdString());
            dialogs.messages.clear();
            setrlimit(RLIMIT_FSIZE, mounted ? &unlimited : &limited);
            run(action, {folder.filePath(name)});
            setrlimit(RLIMIT_FSIZE, &unlimited);
            EXPECT_EQ(test::readFile(folder.filePath(name)), "[Brindo]\n");
            ASSERT_EQ(dialogs.messages.size(), 1);
            EXPECT_TRUE(dialogs.messages.front().contains(name));
            test::recordFault(fault, outcome, dialogs.messages.front(), folder.path());
        }
    }
    umount2(QFile::encodeName(folder.path()), MNT_DETACH);
}

} // namespace
} // namespace brindo
