#include "catalogue/library_layout.h"
#include "catalogue/random_outfit.h"
#include "catalogue/stored_path.h"
#include "cli_run.h"
#include "document/outfit_document.h"
#include "support/file_bytes.h"
#include "support/non_regular_files.h"
#include "support/window_test.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace brindo {
namespace {

using test::cli;
using test::CliRun;
using test::readFile;

QImage pixelsOf(const QString& file) {
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

// The sample library lies beside brindo-cli, as beside the program.
QString sampleLibrary() {
    return QFileInfo(QStringLiteral(BRINDO_CLI)).absolutePath();
}

// Usage errors end with 64, other failures with 1, and say so in one line.
TEST(CommandLineTest, UsageErrorsAndFailuresHaveTheirOwnExitStatus) {
    const test::TempLibrary temp;
    temp.addFile("notes.md", "# Notes\n\nTops1=True\n");
    const CliRun bare = cli({});
    EXPECT_EQ(bare.status, 64);
    EXPECT_TRUE(bare.err.startsWith("Usage: brindo-cli COMMAND"));
    const CliRun version = cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("brindo-cli 1.")) << version.out.toStdString();
    const std::tuple<QStringList, int, const char*> failures[] = {
        {{"draw"}, 64, "brindo-cli: unknown command \"draw\""},
        {{"render", "a.BRD", "-o", "a.gif"}, 64, "must end in .bmp or .png"},
        {{"render", "a.BRD", "b.BRD", "-o", "a.png"}, 64, "-o OUT takes one DOCUMENT"},
        {{"render", "a.BRD", "-o", "-"}, 64, "-o - needs --format"},
        {{"render", "a.BRD", "-o", "a.bmp", "--transparent"}, 64, "--transparent needs a PNG"},
        {{"render", "a.BRD", "-o", "a.png", "--scale", "1.5"}, 64, "--scale takes a whole number"},
        {{"render", "a.BRD", "-o", "a.png", "--background", "red"}, 64, "as #RRGGBB"},
        {{"render", "a.BRD", "--out-dir", "x", "-j", "0"}, 64, "-j takes a whole number"},
        {{"compose", "--seed", "3", "-o", "a.BRD"}, 64, "--seed and --keep go with --random"},
        {{"compose", "--set", "Topz=01", "-o", "a.BRD"}, 64, "no category \"Topz\""},
        {{"check", "--bogus"}, 64, "Unknown option 'bogus'"},
        {{"render", "none.BRD", "-o", "a.bmp"}, 1, "does not exist"},
        {{"list", "--library", "/no/such/folder"}, 1, "the library folder \"/no/such/folder\""},
        {{"render", temp.native("notes.md"), "-o", temp.native("a.bmp")}, 1, "holds no outfit"},
        {{"render", "-", "-o", temp.native("a.bmp")}, 1, "\"standard input\" is not an outfit"},
        {{"check", "--library", temp.native("Brindo\\Copy")}, 1, "holds the character \"\\\""},
    };
    temp.addFolder("Brindo\\Copy");
    for (const auto& [arguments, status, message] : failures) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, status) << message;
        EXPECT_TRUE(run.err.contains(message) && run.err.count(u'\n') == 1)
            << "one line: " << run.err.toStdString();
    }
}

TEST(CommandLineTest, MissingImagesAreListedAndSayInTheExitStatus) {
    const test::TempLibrary temp;
    temp.addFile("gap.BRD", "[Brindo]\nTops1=True\nTops2=C:\\Brindo\\Tops\\99.png\nHats1=True\n"
                            "Hats2=C:\\Brindo\\Hats\\02.png\n");
    const CliRun drawn = cli({"render", temp.native("gap.BRD"), "-o", temp.native("gap.bmp")});
    EXPECT_EQ(drawn.status, 2);
    EXPECT_TRUE(drawn.err.contains("missing image \"C:\\Brindo\\Tops\\99.png\": not found"));
    EXPECT_EQ(drawn.err.count(u'\n'), 2) << "the missing image, then what was written";
    EXPECT_TRUE(QFile::exists(temp.native("gap.bmp")));
    EXPECT_EQ(
        cli({"render", temp.native("gap.BRD"), "-o", temp.native("no.bmp"), "--strict"}).status, 1);
    EXPECT_FALSE(QFile::exists(temp.native("no.bmp")));
}

// A batch goes on past failures, reports in input order, ends with the worst status.
TEST(CommandLineTest, BatchRenderKeepsGoingAndReportsInInputOrder) {
    const test::TempLibrary temp;
    const QByteArray here = storedFromNative(sampleLibrary()).toUtf8();
    temp.addFile("a.BRD", "[Brindo]\nTops1=True\nTops2=" + here + "\\Tops\\02.png\n");
    temp.addFile("b.BRD", "[Brindo]\nHats1=True\nHats2=C:\\Brindo\\Hats\\99.png\n");
    temp.addFile("c.BRD", QByteArray("[Brindo]\n\0binary", 16));
    temp.addFile("d.BRD", "[Brindo]\nTops1=False\n");
    temp.addFile("again/a.BRD", "[Brindo]\n");
    QStringList arguments{"render"};
    for (const char* name : {"a.BRD", "b.BRD", "c.BRD", "again/a.BRD", "d.BRD"}) {
        arguments.append(temp.native(name));
    }
    const CliRun run = cli(arguments + QStringList{"--out-dir", temp.native("out"), "-j3"});
    EXPECT_EQ(run.status, 1);
    for (const char* written : {"a.png", "b.png", "d.png"}) {
        EXPECT_TRUE(QFile::exists(temp.native("out/") + written)) << written;
    }
    EXPECT_FALSE(QFile::exists(temp.native("out/c.png")));
    const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
    const QString expected[] = {
        temp.native("b.BRD") + ": missing image \"C:\\Brindo\\Hats\\99.png\": not found",
        temp.native("b.BRD") + ": wrote \"" + temp.native("out/b.png") + "\" without 1 missing",
        "\"" + temp.native("c.BRD") + "\" is not an outfit document",
        "\"" + temp.native("again/a.BRD") + "\" is not rendered: its picture",
        "3 of 5 pictures are incomplete or missing",
    };
    ASSERT_EQ(lines.size(), std::ssize(expected)) << run.err.toStdString();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(lines.at(i).contains(expected[i])) << lines.at(i).toStdString();
    }
    EXPECT_EQ(cli({"render", temp.native("a.BRD"), "-o", temp.native("alone.png")}).status, 0);
    EXPECT_EQ(readFile(temp.native("alone.png")), readFile(temp.native("out/a.png")));
}

// Pipes in and out; a seed makes the random outfit the window's rules make of it.
TEST(CommandLineTest, PipesAndSeededRandomOutfits) {
    const test::TempLibrary temp;
    const CliRun piped = cli({"compose", "--random", "--seed", "7", "-o", "-", "--format", "png"});
    ASSERT_EQ(piped.status, 0) << piped.err.toStdString();
    EXPECT_TRUE(piped.out.startsWith("\x89PNG\r\n\x1a\n"));
    const CliRun bmp = cli({"render", "-", "-o", "-", "--format", "bmp"}, piped.out);
    ASSERT_EQ(bmp.status, 0) << bmp.err.toStdString();
    EXPECT_EQ(cli({"compose", "--random", "--seed", "7", "-o", temp.native("seven.bmp")}).status,
              0);
    EXPECT_EQ(bmp.out, readFile(temp.native("seven.bmp")));

    const QString library = storedFromNative(sampleLibrary());
    Outfit fresh;
    fresh.startAfresh(defaultBottomsPath(library));
    QRandomGenerator generator(7);
    ProfileText expected;
    writeOutfit(expected, randomOutfit(library, fresh, {{"Tops", "Hair"}, false}, generator));
    const QStringList kept{"compose", "--random", "--keep",   "tops", "--keep", "Hair",
                           "-o",      "-",        "--format", "brd",  "--seed"};
    const CliRun document = cli(kept + QStringList{"7"});
    EXPECT_EQ(document.out, expected.bytes());
    EXPECT_NE(cli(kept + QStringList{"8"}).out, expected.bytes());
}

// A picture names no folder of its maker, opens on a copy anywhere and carries its credits.
TEST(CommandLineTest, PicturesCarryCreditsAndNoFolderOfTheirMaker) {
    const test::TempLibrary mine("home/alice-4f2c/Brindo");
    const test::TempLibrary copy("srv/library");
    for (const test::TempLibrary* library : {&mine, &copy}) {
        library->addFixedFiles(3, 2);
        library->addImage("Tops/01.png", QColor(255, 0, 0, 128), 3, 2);
        library->addImage("Hats/01.png", Qt::blue, 3, 1);
        library->addFile("library.ini", "[Tops]\nauthor=Ann\nlicence=CC-BY-4.0\n");
    }
    mine.addFile("look.BRD", ("[Brindo]\nTops1=True\nTops2=" + mine.stored("Tops/01.png") +
                              "\nHats1=True\nHats2=" + mine.stored("Hats/01.png") + "\n")
                                 .toUtf8());
    const QStringList render{"render", "--library", mine.root(), mine.native("look.BRD"), "-o"};
    ASSERT_EQ(cli(render + QStringList{mine.native("look.png")}).status, 0);
    const QByteArray png = readFile(mine.native("look.png"));
    const QImage picture = QImage::fromData(png);
    QString texts;
    for (const QString& key : picture.textKeys()) {
        texts += key + u'=' + picture.text(key) + u'\n';
    }
    for (const QString& folder : {QStringLiteral("alice-4f2c"), mine.root(), mine.stored()}) {
        EXPECT_FALSE(png.contains(folder.toUtf8()) || texts.contains(folder))
            << texts.toStdString();
    }
    EXPECT_EQ(picture.text("Credits"), "Tops: Ann, CC-BY-4.0\n");
    EXPECT_EQ(cli({"credits", "--library", mine.root(), mine.native("look.BRD")}).out,
              "Tops: Ann, CC-BY-4.0\n");

    const CliRun again = cli({"render", "--library", copy.root(), mine.native("look.png"), "-o",
                              copy.native("again.png")});
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_EQ(pixelsOf(copy.native("again.png")), pixelsOf(mine.native("look.png")));
    ASSERT_EQ(cli(render + QStringList{mine.native("kept.png"), "--keep-paths"}).status, 0);
    EXPECT_TRUE(QImage(mine.native("kept.png")).text("BrindoOutfit").contains(mine.stored()));
}

// The checker's rules are tested on their own; here, the command around them.
TEST(CommandLineTest, CheckPassesTheSampleLibraryAndReportsFaults) {
    const CliRun sample = cli({"check"});
    EXPECT_EQ(sample.status, 0);
    EXPECT_EQ(sample.out, "");
    EXPECT_TRUE(sample.err.contains("0 error(s), 0 warning(s)")) << sample.err.toStdString();

    // One line a finding, and one a name in the lists, whatever the names hold.
    const test::TempLibrary broken;
    broken.addFixedFiles();
    broken.addImages({"Eyes/Round/00.png", "Eyes/Round/01.png"}, Qt::red);
    broken.addFile("Tops/01.png", "not a picture");
    broken.addFile("Tops/a\nb.png", "not a picture");
    const CliRun run = cli({"check", "--library", broken.root()});
    EXPECT_EQ(run.status, 1);
    const QStringList lines = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("error: " + broken.native("Tops/01.png") + ": cannot be"));
    EXPECT_TRUE(lines[1].startsWith("error: " + broken.native("Tops/a␊b.png") + ": cannot be"));
    EXPECT_TRUE(run.err.contains("2 error(s), 0 warning(s)")) << run.err.toStdString();
    EXPECT_EQ(cli({"list", "--library", broken.root()}).out,
              "Bottoms\n  <none>\n  00\nEyes\n  Round\n    01\nTops\n  <none>\n  01\n  a␊b\n");
}

// Pipes, sockets and devices are no files: check lists none and calls fixed files missing.
TEST(CommandLineTest, NonRegularFilesInTheLibraryAreCheckedAtOnce) {
    const test::TempLibrary library;
    library.addFixedFiles();
    library.addImage("Tops/02.png", Qt::red);
    const test::TempLibrary broken;
    const char* const fixedFiles[] = {"10195.png", "10196.png", "Bottoms/00.png"};
    for (const test::NonRegularFile kind : test::kNonRegularFiles) {
        const int number = static_cast<int>(kind);
        test::makeNonRegularFile(kind, library.native(QString("Tops/%1.png").arg(number)));
        test::makeNonRegularFile(kind, broken.native(fixedFiles[number]));
    }
    const CliRun check = cli({"check", "--library", library.root()}, {}, 5000);
    EXPECT_EQ(check.status, 0) << check.out.toStdString();
    const CliRun faults = cli({"check", "--library", broken.root()}, {}, 5000);
    EXPECT_EQ(faults.status, 1);
    for (const char* file : fixedFiles) {
        EXPECT_TRUE(QString::fromUtf8(faults.out).contains(broken.native(file) + ": the")) << file;
    }
    EXPECT_LT(check.milliseconds + faults.milliseconds, 2000);
}

// tests/golden keeps its pixels; BRINDO_UPDATE_GOLDEN=1 records a deliberate change.
TEST(CommandLineTest, GoldenDocumentsKeepTheirPixels) {
    const QDir golden(QStringLiteral(BRINDO_GOLDEN_DIR));
    QFile sumsFile(golden.filePath("pictures.sha256"));
    ASSERT_TRUE(sumsFile.open(QIODevice::ReadOnly | QIODevice::Text));
    QMap<QString, QString> expected;
    for (const QByteArray& line : sumsFile.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 2) {
            expected.insert(QString::fromUtf8(fields.at(1)), QString::fromUtf8(fields.at(0)));
        }
    }
    sumsFile.close();

    const test::TempLibrary temp;
    QString actualSums;
    const QStringList documents = golden.entryList({"*.BRD"}, QDir::Files, QDir::Name);
    ASSERT_EQ(documents.size(), 3);
    for (const QString& name : documents) {
        QByteArray text = readFile(golden.filePath(name));
        temp.addFile(name, text.replace("@LIBRARY@", storedFromNative(sampleLibrary()).toUtf8()));
        const CliRun run = cli({"render", temp.native(name), "-o", temp.native(name + ".bmp")});
        EXPECT_NE(run.status, 1) << name.toStdString() << run.err.toStdString();
        const QImage picture = pixelsOf(temp.native(name + ".bmp"));
        QCryptographicHash sum(QCryptographicHash::Sha256);
        for (int y = 0; y < picture.height(); ++y) {
            sum.addData(QByteArrayView(picture.constScanLine(y), qsizetype{picture.width()} * 4));
        }
        const QString actual = QString::fromLatin1(sum.result().toHex());
        EXPECT_EQ(actual, expected.value(name)) << name.toStdString();
        actualSums += actual + "  " + name + u'\n';
    }
    // One worker draws them all in turn, from the layers it kept: the same pictures.
    QStringList batch{"render", "--out-dir", temp.native("batch"), "--format", "bmp", "-j1"};
    for (const QString& name : documents) {
        batch.append(temp.native(name));
    }
    EXPECT_NE(cli(batch).status, 1);
    for (const QString& name : documents) {
        EXPECT_EQ(readFile(temp.native("batch/" + QFileInfo(name).completeBaseName() + ".bmp")),
                  readFile(temp.native(name + ".bmp")))
            << name.toStdString();
    }
    if (qEnvironmentVariableIsSet("BRINDO_UPDATE_GOLDEN") && sumsFile.open(QIODevice::WriteOnly)) {
        sumsFile.write(actualSums.toUtf8());
    }
}

// The window on the sample library; files go to the test's own folder.
class SampleWindowTest : public test::WindowTest {
protected:
    SampleWindowTest() { openWindow(sampleLibrary()); }
};

// brindo-cli draws the window's picture of a saved outfit.
TEST_F(SampleWindowTest, RenderGivesTheWindowsPicture) {
    test::clickRow(form->categoryList(), "Tops");
    test::clickRow(form->itemList(), "03");
    test::clickRow(form->categoryList(), "Hair");
    test::clickRow(form->itemList(), "Long");
    test::clickRow(form->variantList(), "07");
    run("saveAs", {path("look.BRD")});
    run("exportImage", {path("look.bmp")});
    ASSERT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(cli({"render", path("look.BRD"), "-o", path("cli.bmp")}).status, 0);
    EXPECT_EQ(readFile(path("cli.bmp")), readFile(path("look.bmp")));
}

} // namespace
} // namespace brindo
