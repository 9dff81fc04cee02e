// Open with files that are no outfit documents, or documents built to hurt:
// each is dealt with in bounded time and memory, and the user is told plainly.

#include "robustness.h"
#include "support/non_regular_files.h"

#include <QElapsedTimer>

namespace brindo {
namespace {

using test::kMegabyte;

class HostileDocumentsTest : public test::SmallLibraryTest {
protected:
    // Opens the file (written first when bytes are given) within the time and
    // growth of the peak resident size given; notes the fault and returns what
    // the user was told.
    QString open(const QString& fault, const char* outcome, const QString& name,
                 const std::optional<QByteArray>& bytes, qint64 milliseconds = 2000,
                 qint64 extraMemory = 32 * kMegabyte) {
        if (bytes) {
            library.addFile(name, *bytes);
        }
        dialogs.messages.clear();
        dialogs.notes.clear();
        test::resetPeakResident();
        const qint64 before = test::memoryBytes("VmRSS:");
        QElapsedTimer clock;
        clock.start();
        run("open", {path(name)});
        const qint64 elapsed = clock.elapsed();
        const qint64 grown = test::memoryBytes("VmHWM:") - before;
        EXPECT_LT(elapsed, milliseconds * test::kSlowdown);
        EXPECT_TRUE(test::kSanitized || grown < extraMemory)
            << "peak resident size grew by " << grown / kMegabyte << " MB";
        EXPECT_LE(dialogs.messages.size() + dialogs.notes.size(), 1);
        EXPECT_TRUE(test::answersEvents()) << "the window does not answer";
        test::recordFault("Open: " + fault, outcome, dialogs.messages.value(0), library.root(),
                          QString("%1 ms, %2 MB").arg(elapsed).arg(grown / kMegabyte),
                          dialogs.notes.value(0));
        return dialogs.messages.value(0);
    }
};

TEST_F(HostileDocumentsTest, FilesThatAreNoDocumentsAreRefusedAndChangeNothing) {
    const Outfit before = form->outfit();
    for (const auto& [fault, name, bytes] :
         {std::tuple{"a 100 MB file", "huge.BRD", // too large to be read at all
                     QByteArray("[Brindo]\nTops1=True\n").repeated(qsizetype{100} * 52429)},
          std::tuple{"a document with a NUL byte", "nul.BRD",
                     QByteArray("[Brindo]\nTops1=True\nTops2=\0x", 28)},
          std::tuple{"a text file without an outfit section", "notes.md",
                     QByteArray("# Notes\n\nTops1=True\n")}}) {
        SCOPED_TRACE(fault);
        const QString told =
            open(QString::fromUtf8(fault), "refused, the outfit stays as it was", name, bytes);
        EXPECT_TRUE(told.contains("is not an outfit document")) << told.toStdString();
        EXPECT_EQ(form->outfit(), before);
    }
}

// A pipe, a socket or a device in place of the document, of an image it
// names, or of the base figure at start-up is told at once.
TEST_F(HostileDocumentsTest, NonRegularFilesInPlaceOfFilesAreToldAtOnce) {
    const test::PipeRelease release(library.root());
    for (const test::NonRegularFile kind : test::kNonRegularFiles) {
        SCOPED_TRACE(test::describe(kind));
        const QString kindName = QString::fromUtf8(test::describe(kind));
        const QString number = QString::number(static_cast<int>(kind));
        const Outfit before = form->outfit();
        const QString document = "odd" + number + ".BRD";
        test::makeNonRegularFile(kind, path(document));
        const QString told =
            open(kindName + " as the document", "refused at once, the outfit stays as it was",
                 document, {}, 1000);
        EXPECT_TRUE(told.endsWith(document + "\": it is not a file.")) << told.toStdString();
        EXPECT_EQ(form->outfit(), before);

        const QString image = "Tops/odd" + number + ".png";
        test::makeNonRegularFile(kind, path(image));
        EXPECT_TRUE(open(kindName + " as an image of the document",
                         "opened at once; the image is left out as not found",
                         "names" + number + ".BRD",
                         "[Brindo]\nTops1=True\nTops2=" + library.stored(image).toUtf8(), 1000)
                        .isEmpty());
        EXPECT_TRUE(dialogs.notes.value(0).contains(library.stored(image)));
        EXPECT_EQ(form->outfit().tops.path(), library.stored(image));

        // Start-up, with the document named on the command line.
        QFile::remove(path("10195.png"));
        test::makeNonRegularFile(kind, path("10195.png"));
        dialogs.messages.clear();
        QElapsedTimer clock;
        clock.start();
        const auto started = anotherWindow();
        started->openDocument(path(document));
        const qint64 elapsed = clock.elapsed();
        EXPECT_LT(elapsed, 1000 * test::kSlowdown);
        EXPECT_TRUE(started->isVisible() && test::answersEvents());
        ASSERT_EQ(dialogs.messages.size(), 2);
        EXPECT_TRUE(dialogs.messages.at(0).contains("10195.png\" is missing or cannot be read"));
        EXPECT_TRUE(dialogs.messages.at(1).endsWith(": it is not a file."));
        test::recordFault("Start-up: the base figure 10195.png, and the document named on the "
                          "command line, are " +
                              kindName,
                          "the window opens at once without a character",
                          dialogs.messages.join(' '), library.root(),
                          QString("%1 ms").arg(elapsed));
        QFile::remove(path("10195.png"));
    }
}

// One path of five million components: each is looked up when the picture is
// drawn, so the lookup must not grow with the square of the length.
TEST_F(HostileDocumentsTest, ATenMegabyteLineOpensInBoundedTimeAndMemory) {
    const QByteArray endless = "\\" + QByteArray("a\\").repeated(5 * kMegabyte);
    const QString told =
        open("a document with a 10 MB line",
             "opened; the layer whose image is not found is left out and named by its two ends",
             "long-line.BRD", "[Brindo]\r\nTops1=True\r\nTops2=" + endless + "\r\n", 10000,
             200 * kMegabyte);
    EXPECT_TRUE(told.isEmpty()) << told.toStdString();
    EXPECT_EQ(form->outfit().tops.path().size(), endless.size());
}

TEST_F(HostileDocumentsTest, InvalidUtf8IsReadAsTheOldCodePageAndSavesBack) {
    const QString told =
        open("a document with invalid UTF-8",
             "opened, the bytes that are not UTF-8 read as Windows-1252", "latin.BRD",
             "[Brindo]\nTops1=True\nTops2=\\\xff\xfe\\\xc3\\caf\xe9\\\xed\xa0\x80.png\n"
             "\xc0\xaf=\x80\x81\nHats1=\xe2\x82\n");
    EXPECT_TRUE(told.isEmpty()) << told.toStdString();
    EXPECT_EQ(form->outfit().tops.path(), QString::fromUtf8("\\\u00ff\u00fe\\\u00c3\\caf\u00e9"
                                                            "\\\u00ed\u00a0\u20ac.png"));
    run("save");
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(test::readFile(path("latin.BRD")).contains("\xc0\xaf=\x80\x81\n"))
        << "a line of another kind is kept";
}

} // namespace
} // namespace brindo
