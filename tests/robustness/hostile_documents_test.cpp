// Open with files that are not outfit documents, or are documents built to
// hurt: each is dealt with in bounded time and memory, and the user is told
// plainly when a file is not an outfit document.

#include "figures.h"
#include "process_limits.h"
#include "small_library_form.h"
#include "support/test_images.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

namespace brindo {
namespace {

using test::kMegabyte;

struct Bounds {
    qint64 milliseconds;
    qint64 extraMemory;
};

class HostileDocumentsTest : public testing::Test, protected test::SmallLibraryForm {
protected:
    QString write(const QString& name, const QByteArray& bytes) const {
        library.addFile(name, bytes);
        return library.native(name);
    }

    // Opens the file through the File menu and checks that it took no longer
    // and no more memory than the bounds allow. Notes the fault with what the
    // user was told, and returns that.
    QString open(const char* fault, const char* outcome, const QString& file,
                 const Bounds& bounds) {
        dialogs.messages.clear();
        test::resetPeakResident();
        const qint64 before = test::residentBytes();
        QElapsedTimer clock;
        clock.start();
        {
            const test::Watchdog watchdog(3 * bounds.milliseconds * test::kSlowdown);
            run("open", file);
        }
        const qint64 elapsed = clock.elapsed();
        const qint64 extraMemory = test::peakResidentBytes() - before;
        EXPECT_LT(elapsed, bounds.milliseconds * test::kSlowdown);
        if (!test::kSanitized) {
            EXPECT_LT(extraMemory, bounds.extraMemory)
                << "peak resident size grew by " << extraMemory / kMegabyte << " MB";
        }
        EXPECT_LE(dialogs.messages.size(), 1);
        QString told = dialogs.messages.value(0);
        test::recordFault(
            {QStringLiteral("Open: ") + QLatin1String(fault), QLatin1String(outcome), told,
             QStringLiteral("%1 ms, %2 MB").arg(elapsed).arg(extraMemory / kMegabyte)},
            library.root());
        return told;
    }
};

TEST_F(HostileDocumentsTest, FilesThatAreNoDocumentsAreRefusedAndChangeNothing) {
    // 100 MB of plausible text: too large to be read at all.
    const QString huge = library.native("huge.BRD");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray block = QByteArray("[Brindo]\nTops1=True\n").repeated(52429);
        for (int i = 0; i < 100; ++i) {
            ASSERT_EQ(file.write(block), block.size());
        }
    }
    const QByteArray png = test::encodePng(test::samplePicture(), {});
    const std::pair<const char*, QString> files[] = {
        {"a 100 MB file", huge},
        {"a document with a NUL byte",
         write("nul.BRD", QByteArray("[Brindo]\nTops1=True\nTops2=\0x", 28))},
        {"a PNG image opened as a document", write("picture.BRD", png)},
    };
    const OutfitState before = form->state();
    for (const auto& [fault, file] : files) {
        SCOPED_TRACE(fault);
        const QString told =
            open(fault, "refused, the outfit stays as it was", file, {2000, 32 * kMegabyte});
        EXPECT_TRUE(told.contains(QLatin1String("is not an outfit document")))
            << told.toStdString();
        EXPECT_EQ(form->state(), before);
    }
}

TEST_F(HostileDocumentsTest, ATenMegabyteLineOpensInBoundedTimeAndMemory) {
    // One path of five million components: every component is looked up when
    // the picture is drawn, so the lookup must not grow with the square of
    // the length.
    const QByteArray path = "\\" + QByteArray("a\\").repeated(5 * kMegabyte);
    const QString file = write("long-line.BRD", "[Brindo]\r\nTops1=True\r\nTops2=" + path + "\r\n");
    const QString told = open("a document with a 10 MB line",
                              "opened; the layer whose image is not found is left out", file,
                              {10000, 200 * kMegabyte});
    EXPECT_TRUE(told.isEmpty()) << told.toStdString();
    EXPECT_TRUE(form->state().Tops.enabled);
    EXPECT_EQ(form->state().Tops.path().size(), path.size());
}

TEST_F(HostileDocumentsTest, InvalidUtf8IsReadAsTheOldCodePageAndSavesBack) {
    const QByteArray lines =
        "[Brindo]\nTops1=True\nTops2=\\\xff\xfe\\\xc3\\caf\xe9\\\xed\xa0\x80.png\n"
        "\xc0\xaf=\x80\x81\nHats1=\xe2\x82\n";
    const QString file = write("latin.BRD", lines);
    const QString told = open("a document with invalid UTF-8",
                              "opened, the bytes that are not UTF-8 read as Windows-1252", file,
                              {2000, 32 * kMegabyte});
    EXPECT_TRUE(told.isEmpty()) << told.toStdString();
    EXPECT_EQ(form->state().Tops.path(), QString::fromUtf8("\\\u00ff\u00fe\\\u00c3\\caf\u00e9"
                                                           "\\\u00ed\u00a0\u20ac.png"));
    EXPECT_FALSE(form->state().Hats.enabled);

    form->action(QStringLiteral("save"))->trigger();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray after = saved.readAll();
    EXPECT_TRUE(after.contains("\xc0\xaf=\x80\x81\n")) << "a line of another kind is kept";
}

} // namespace
} // namespace brindo
