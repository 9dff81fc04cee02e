// Faults during a save: a process killed while it saves, and a disk that is
// full. The document or picture on disk is always the complete old one or the
// complete new one, and the user is told when a save fails.

#include "document/outfit_document.h"
#include "figures.h"
#include "file_bytes.h"
#include "process_limits.h"
#include "render/picture_export.h"
#include "save_rounds.h"
#include "small_library_form.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>

namespace brindo {
namespace {

using test::readFile;

void writeFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(test::writeFile(path, bytes)) << path.toStdString();
}

int killRounds() {
    bool ok = false;
    const int chosen = qEnvironmentVariableIntValue("BRINDO_KILL_ROUNDS", &ok);
    return ok && chosen > 0 ? chosen : (test::kSanitized ? 30 : 200);
}

struct KillFigures {
    int rounds = 0;
    int old = 0;
    int fresh = 0;
    int mixed = 0;
};

// Starts save_child on the file, kills it at a random moment after its first
// complete save, and checks that the file is one of the two versions; round
// after round.
KillFigures killWhileSaving(const QString& mode, const QString& file, const QByteArray& first,
                            const QByteArray& second) {
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayMicroseconds(0, 30000);
    KillFigures figures;
    const int rounds = killRounds();
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        child.start(QStringLiteral(BRINDO_SAVE_CHILD), {mode, file});
        if (!child.waitForReadyRead(10000 * test::kSlowdown)) {
            ADD_FAILURE() << "save_child did not start saving: "
                          << child.readAllStandardError().toStdString();
            break;
        }
        QThread::usleep(static_cast<unsigned long>(delayMicroseconds(random)));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit) << "the child was still saving";

        const QByteArray bytes = readFile(file);
        figures.old += bytes == first ? 1 : 0;
        figures.fresh += bytes == second ? 1 : 0;
        figures.mixed += bytes != first && bytes != second ? 1 : 0;
        ++figures.rounds;
        EXPECT_EQ(figures.mixed, 0)
            << "round " << round << ": the file is neither version (" << bytes.size() << " bytes)";
        if (figures.mixed > 0) {
            break;
        }
    }
    return figures;
}

void report(const QString& name, const KillFigures& figures) {
    std::printf("%s: %d kill rounds, file was the first version %d times, the second %d times, "
                "mixed %d times\n",
                qPrintable(name), figures.rounds, figures.old, figures.fresh, figures.mixed);
    test::writeFigures(name, {{QStringLiteral("rounds"), QString::number(figures.rounds)},
                              {QStringLiteral("first"), QString::number(figures.old)},
                              {QStringLiteral("second"), QString::number(figures.fresh)},
                              {QStringLiteral("mixed"), QString::number(figures.mixed)}});
}

TEST(SaveKillTest, AKilledSaveLeavesTheOldOrTheNewDocument) {
    const QTemporaryDir folder;
    const QString document = QDir(folder.path()).filePath(QStringLiteral("outfit.BRD"));
    // The versions that the child's saves give, worked out the same way.
    writeFile(document, test::otherProgramsText());
    ASSERT_TRUE(saveOutfitDocument(document, test::savedOutfit(0)).ok());
    const QByteArray first = readFile(document);
    ASSERT_TRUE(saveOutfitDocument(document, test::savedOutfit(1)).ok());
    const QByteArray second = readFile(document);
    ASSERT_TRUE(saveOutfitDocument(document, test::savedOutfit(0)).ok());
    ASSERT_EQ(readFile(document), first);
    ASSERT_NE(first, second);

    writeFile(document, test::otherProgramsText());
    report(QStringLiteral("kill_document_saves"),
           killWhileSaving(QStringLiteral("document"), document, first, second));
}

TEST(SaveKillTest, AKilledExportLeavesTheOldOrTheNewPicture) {
    const QTemporaryDir folder;
    const QString picture = QDir(folder.path()).filePath(QStringLiteral("picture.bmp"));
    const QByteArray first = encodeBmp(test::exportedPicture(0));
    const QByteArray second = encodeBmp(test::exportedPicture(1));
    ASSERT_NE(first, second);
    report(QStringLiteral("kill_exports"),
           killWhileSaving(QStringLiteral("picture"), picture, first, second));
}

// Limits the size of any file this process writes, as a full disk would,
// until it goes out of scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN); // a failed write instead of the signal
        getrlimit(RLIMIT_FSIZE, &before_);
        const rlimit limit{bytes, before_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before_); }

private:
    rlimit before_{};
};

class FullDiskTest : public testing::Test, protected test::SmallLibraryForm {
protected:
    QTemporaryDir documents;

    QString path(const char* name) const {
        return QDir(documents.path()).filePath(QLatin1String(name));
    }
};

TEST_F(FullDiskTest, ASaveThatDoesNotFitKeepsTheOldDocumentAndSaysSo) {
    run("saveas", path("outfit.BRD"));
    const QByteArray before = readFile(path("outfit.BRD"));
    writeFile(path("dressed.BRD"),
              "[Brindo]\nTops1=True\nTops2=" + library.stored("Tops/01.png").toUtf8() + '\n');
    run("open", path("dressed.BRD"));
    ASSERT_TRUE(form->state().Tops.enabled);
    ASSERT_TRUE(dialogs.messages.isEmpty());

    {
        const FileSizeLimit full(64);
        run("saveas", path("outfit.BRD"));
    }
    EXPECT_EQ(readFile(path("outfit.BRD")), before);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.front().contains(QLatin1String("outfit.BRD")));
    test::recordFault({QStringLiteral("Save: the disk is full (file size limit)"),
                       QStringLiteral("the old document stays"), dialogs.messages.front()},
                      documents.path());
}

TEST_F(FullDiskTest, AnExportThatDoesNotFitKeepsTheOldPictureAndSaysSo) {
    writeFile(path("picture.bmp"), "the picture exported last time");
    {
        const FileSizeLimit full(64);
        run("image", path("picture.bmp"));
    }
    EXPECT_EQ(readFile(path("picture.bmp")), "the picture exported last time");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.front().contains(QLatin1String("picture.bmp")));
    test::recordFault({QStringLiteral("Export as Image: the disk is full (file size limit)"),
                       QStringLiteral("the old picture stays"), dialogs.messages.front()},
                      documents.path());
}

TEST(SmallFileSystemTest, SavesOnAFullFileSystemKeepTheOldFilesAndSaySo) {
    const QTemporaryDir mountPoint;
    QProcess child;
    child.start(QStringLiteral(BRINDO_SAVE_CHILD),
                {QStringLiteral("full-disk"), mountPoint.path()});
    ASSERT_TRUE(child.waitForFinished(60000 * test::kSlowdown));
    if (child.exitCode() == 77) {
        GTEST_SKIP() << "no small file system can be mounted here (needs root)";
    }
    ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
    std::printf("%s", qPrintable(output));
    EXPECT_TRUE(output.contains(QLatin1String("document kept: yes")));
    EXPECT_TRUE(output.contains(QLatin1String("picture kept: yes")));
    for (const QString& line : output.split(u'\n')) {
        if (line.startsWith(QLatin1String("document: "))) {
            EXPECT_TRUE(line.contains(QLatin1String("the disk is full"))) << line.toStdString();
            test::recordFault({QStringLiteral("Save: the disk is full"),
                               QStringLiteral("the old document stays"), line.mid(10)},
                              mountPoint.path());
        } else if (line.startsWith(QLatin1String("picture: "))) {
            EXPECT_TRUE(line.contains(QLatin1String("the disk is full"))) << line.toStdString();
            test::recordFault({QStringLiteral("Export as Image: the disk is full"),
                               QStringLiteral("the old picture stays"), line.mid(9)},
                              mountPoint.path());
        }
    }
}

} // namespace
} // namespace brindo
