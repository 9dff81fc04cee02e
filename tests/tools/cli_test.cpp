#include "app/main_window.h"
#include "catalogue/library_layout.h"
#include "catalogue/random_outfit.h"
#include "catalogue/stored_path.h"
#include "cli_run.h"
#include "document/outfit_document.h"
#include "support/fake_dialogs.h"
#include "support/non_regular_files.h"
#include "support/temp_library.h"

#include <QAction>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace brindo {
namespace {

using test::bytesOf;
using test::cli;
using test::CliRun;

QImage pixelsOf(const QString& file) {
    return QImage(file).convertToFormat(QImage::Format_RGB32);
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

    // A path of megabytes is named by its two ends.
    const QByteArray endless = "\\start" + QByteArray("\\a").repeated(1 << 20) + "\\end.png";
    temp.addFile("long.BRD", "[Brindo]\nTops1=True\nTops2=" + endless + "\n");
    const CliRun cut = cli({"render", temp.native("long.BRD"), "-o", temp.native("long.bmp")});
    EXPECT_EQ(cut.status, 2);
    const QString line = cut.err.split('\n').constFirst();
    EXPECT_LT(line.size(), 300) << line.toStdString();
    EXPECT_TRUE(line.contains("\"/start/a/a") && line.contains("/a/end.png\": not found"))
        << line.toStdString();
}

// Several documents in one call: each picture is named after its document,
// an input that fails stops none of the others, problems come input by input
// in the order given, and the exit status is the worst of them. A picture
// drawn in a batch is the one drawn alone.
TEST(CommandLineTest, BatchRenderKeepsGoingAndReportsInInputOrder) {
    const test::TempLibrary temp;
    const QByteArray here =
        storedFromNative(QFileInfo(QStringLiteral(BRINDO_CLI)).absolutePath()).toUtf8();
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
    EXPECT_EQ(bytesOf(temp.native("alone.png")), bytesOf(temp.native("out/a.png")));
}

// Pictures go to a pipe and documents come from one; a seed always makes the
// same random outfit: the one that the window's random rules make of it.
TEST(CommandLineTest, PipesAndSeededRandomOutfits) {
    const test::TempLibrary temp;
    const CliRun piped = cli({"compose", "--random", "--seed", "7", "-o", "-", "--format", "png"});
    ASSERT_EQ(piped.status, 0) << piped.err.toStdString();
    EXPECT_TRUE(piped.out.startsWith("\x89PNG\r\n\x1a\n"));
    const CliRun bmp = cli({"render", "-", "-o", "-", "--format", "bmp"}, piped.out);
    ASSERT_EQ(bmp.status, 0) << bmp.err.toStdString();
    EXPECT_EQ(cli({"compose", "--random", "--seed", "7", "-o", temp.native("seven.bmp")}).status,
              0);
    EXPECT_EQ(bmp.out, bytesOf(temp.native("seven.bmp")));

    const QString library = storedFromNative(QFileInfo(QStringLiteral(BRINDO_CLI)).absolutePath());
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

// A picture tells nothing of the folders of whoever made it, opens again as
// the same outfit on a copy of the library anywhere, and carries the credits
// of what it shows, as the credits command prints them.
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
    const QByteArray png = bytesOf(mine.native("look.png"));
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
    broken.addFile("Tops/01.png", "not a picture");
    broken.addFile("Tops/a\nb.png", "not a picture");
    const CliRun run = cli({"check", "--library", broken.root()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        run.out.startsWith(("error: " + broken.native("Tops/01.png") + ": cannot be").toUtf8()));
    EXPECT_TRUE(
        run.out.contains(("\nerror: " + broken.native("Tops/a␊b.png") + ": cannot be").toUtf8()));
    EXPECT_EQ(run.out.count('\n'), 2) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains("2 error(s), 0 warning(s)")) << run.err.toStdString();
    EXPECT_EQ(cli({"list", "--library", broken.root()}).out,
              "Bottoms\n  <none>\n  00\nTops\n  <none>\n  01\n  a␊b\n");
}

// Named pipes, sockets and devices in place of a document, of an image it
// names, or of the library's fixed files: render and check end within a
// second, and call each one missing.
TEST(CommandLineTest, NonRegularFilesEndRenderAndCheckWithinASecond) {
    const test::TempLibrary library;
    library.addFixedFiles();
    library.addImage("Tops/02.png", Qt::red);
    const test::TempLibrary broken;
    broken.addImage("Tops/02.png", Qt::red);
    const char* const fixedFiles[] = {"10195.png", "10196.png", "Bottoms/00.png"};
    for (const test::NonRegularFile kind : test::kNonRegularFiles) {
        SCOPED_TRACE(test::describe(kind));
        const int number = static_cast<int>(kind);
        const QString image = QString("Tops/%1.png").arg(number);
        const QString document = QString("odd%1.BRD").arg(number);
        test::makeNonRegularFile(kind, library.native(image));
        test::makeNonRegularFile(kind, library.native(document));
        test::makeNonRegularFile(kind, broken.native(fixedFiles[number]));
        library.addFile("names.BRD",
                        "[Brindo]\nTops1=True\nTops2=" + library.stored(image).toUtf8());
        const QString out = library.native("out.bmp");

        const CliRun asDocument = cli({"render", library.native(document), "-o", out}, {}, 5000);
        EXPECT_EQ(asDocument.status, 1);
        EXPECT_TRUE(asDocument.err.contains("it is not a file")) << asDocument.err.toStdString();
        const CliRun naming = cli({"render", library.native("names.BRD"), "-o", out}, {}, 5000);
        EXPECT_EQ(naming.status, 2);
        EXPECT_TRUE(naming.err.contains(QString("Tops/%1.png\": not found").arg(number)))
            << naming.err.toStdString();
        const CliRun check = cli({"check", "--library", library.root()}, {}, 5000);
        EXPECT_EQ(check.status, 0) << "a kindName file is not listed: " << check.out.toStdString();
        for (const CliRun& run : {asDocument, naming, check}) {
            EXPECT_LT(run.milliseconds, 1000);
        }
    }
    const CliRun render = cli({"render", library.native("names.BRD"), "-o",
                               broken.native("out.bmp"), "--library", broken.root()},
                              {}, 5000);
    EXPECT_EQ(render.status, 1);
    EXPECT_TRUE(render.err.contains("the base figure")) << render.err.toStdString();
    const CliRun check = cli({"check", "--library", broken.root()}, {}, 5000);
    EXPECT_EQ(check.status, 1);
    for (const char* file : fixedFiles) {
        EXPECT_TRUE(QString::fromUtf8(check.out).contains(broken.native(file) + ": the")) << file;
    }
    EXPECT_LT(render.milliseconds + check.milliseconds, 2000);
}

// Documents kept in tests/golden, drawn against the sample library: the
// pictures must keep their pixels whatever the code under them becomes. A
// deliberate change of the sample library's drawings is recorded with
// BRINDO_UPDATE_GOLDEN=1, which rewrites the expected sums.
TEST(CommandLineTest, GoldenDocumentsKeepTheirPixels) {
    const QDir golden(QStringLiteral(BRINDO_GOLDEN_DIR));
    const QString library = QFileInfo(QStringLiteral(BRINDO_CLI)).absolutePath();
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
        QByteArray text = bytesOf(golden.filePath(name));
        temp.addFile(name, text.replace("@LIBRARY@", storedFromNative(library).toUtf8()));
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
    if (qEnvironmentVariableIsSet("BRINDO_UPDATE_GOLDEN") && sumsFile.open(QIODevice::WriteOnly)) {
        sumsFile.write(actualSums.toUtf8());
    }
}

// The window on the sample library, which lies beside brindo-cli as beside
// the program.
class WindowTest : public testing::Test {
protected:
    test::TempLibrary temp;
    QString library = QFileInfo(QStringLiteral(BRINDO_CLI)).absolutePath();
    test::FakeDialogs::Shared dialogs;
    MainWindow form{library, std::make_unique<test::FakeDialogs>(dialogs)};

    WindowTest() { form.start(); }
    QString path(const QString& name) const { return temp.native(name); }
    void pick(ListBox* list, const QString& row) {
        const int index = static_cast<int>(list->rows().indexOf(row));
        ASSERT_GE(index, 0) << row.toStdString();
        list->setCurrentRow(index);
    }
};

// Dressed in the window, saved and exported: brindo-cli writes the same file,
// and the same pixels for a document made where the program lay before.
TEST_F(WindowTest, RenderGivesTheWindowsPicture) {
    pick(form.categoryList(), "Tops");
    pick(form.itemList(), "03");
    pick(form.categoryList(), "Hair");
    pick(form.itemList(), "Long");
    pick(form.variantList(), "07");
    dialogs.answers.assign({path("look.BRD"), path("look.bmp")});
    form.action("saveAs")->trigger();
    form.action("exportImage")->trigger();
    ASSERT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(cli({"render", path("look.BRD"), "-o", path("cli.bmp")}).status, 0);
    EXPECT_EQ(bytesOf(path("cli.bmp")), bytesOf(path("look.bmp")));

    QByteArray moved = bytesOf(path("look.BRD"));
    const QByteArray here = storedFromNative(library).toUtf8();
    ASSERT_TRUE(moved.contains(here));
    temp.addFile("moved.BRD", moved.replace(here, "D:\\Old place\\Brindo"));
    EXPECT_EQ(cli({"render", path("moved.BRD"), "-o", path("moved.png")}).status, 0);
    EXPECT_EQ(pixelsOf(path("moved.png")), pixelsOf(path("look.bmp")));
    // The PNG carries the outfit, so it renders as the same outfit again.
    const QString carried = QImage(path("moved.png")).text("BrindoOutfit");
    EXPECT_TRUE(carried.contains("Tops2=\\Brindo library\\Tops\\03.png\r\n") &&
                !carried.contains("Old place"))
        << carried.toStdString();
    EXPECT_EQ(cli({"render", path("moved.png"), "-o", path("again.bmp")}).status, 0);
    EXPECT_EQ(pixelsOf(path("again.bmp")), pixelsOf(path("look.bmp")));
}

// Names that list --json gives, handed to compose, make the document that
// the same clicks in the window save.
TEST_F(WindowTest, ComposeFromListedNamesMakesTheDocumentOfTheSameClicks) {
    const QJsonArray categories =
        QJsonDocument::fromJson(cli({"list", "--json"}).out).object().value("categories").toArray();
    const auto shownName = [&categories](const QStringList& names) {
        QJsonArray rows = categories;
        QString shown;
        for (const QString& name : names) {
            const auto row = std::find_if(rows.begin(), rows.end(), [&name](const QJsonValue& v) {
                return v.toObject().value("name").toString() == name;
            });
            if (row == rows.end()) {
                return name; // "<none>" is no item
            }
            const QJsonObject entry = row->toObject();
            shown = entry.value(entry.contains("shownName") ? "shownName" : "name").toString();
            rows = entry.value(entry.contains("items") ? "items" : "variants").toArray();
        }
        return shown;
    };
    const QList<QStringList> picks{
        {"Tops", "03"},        {"Hair", "Long", "07"},       {"Eyes", "Sparkly", "02"},
        {"Bottoms", "<none>"}, {"Ready-made outfits", "04"}, {"Footwear", "01"}};
    QStringList compose{"compose", "-o", path("composed.BRD")};
    for (const QStringList& names : picks) {
        pick(form.categoryList(), names.at(0));
        pick(form.itemList(), names.at(1));
        QString setting = names.at(0) + u'=' + shownName(names.first(2));
        if (names.size() == 3) {
            pick(form.variantList(), names.at(2));
            setting += u'/' + shownName(names);
        }
        compose << "--set" << setting;
    }
    EXPECT_TRUE(compose.contains("Eyes=Sparkly purple eyes/Amber"))
        << compose.join(' ').toStdString();
    dialogs.answers.assign({path("clicked.BRD")});
    form.action("saveAs")->trigger();
    const CliRun composed = cli(compose);
    EXPECT_EQ(composed.status, 0) << composed.err.toStdString();
    EXPECT_EQ(bytesOf(path("composed.BRD")), bytesOf(path("clicked.BRD")));
}

// Random Outfit in the window and compose --random with the same seed make
// the same outfit.
TEST_F(WindowTest, RandomOutfitIsTheOneComposeMakesFromTheSameSeed) {
    form.seedRandom(7);
    form.action("randomOutfit")->trigger();
    dialogs.answers.assign({path("random.BRD")});
    form.action("saveAs")->trigger();
    EXPECT_EQ(cli({"compose", "--random", "--seed", "7", "-o", path("composed.BRD")}).status, 0);
    EXPECT_EQ(bytesOf(path("composed.BRD")), bytesOf(path("random.BRD")));
}

// brindo-cli lists the rows that the window's three lists show.
TEST_F(WindowTest, ListShowsTheWindowsRows) {
    QString shown;
    for (const QString& category : form.categoryList()->rows()) {
        shown += category + u'\n';
        pick(form.categoryList(), category);
        for (const QString& item : form.itemList()->rows()) {
            shown += "  " + item + u'\n';
            if (item == "<none>") {
                continue;
            }
            pick(form.itemList(), item);
            for (const QString& variant : form.variantList()->isVisibleTo(&form)
                                              ? form.variantList()->rows()
                                              : QStringList()) {
                shown += "    " + variant + u'\n';
            }
        }
    }
    const CliRun run = cli({"list"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(QString::fromUtf8(run.out), shown);
    EXPECT_TRUE(shown.contains("\n  Long\n    01\n")) << shown.toStdString();
}

} // namespace
} // namespace brindo
