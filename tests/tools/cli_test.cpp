#include "app/form1.h"
#include "catalogue/stored_path.h"
#include "support/fake_dialogs.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brindo {
namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(BRINDO_CLI), arguments);
    CliRun run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// The sample library lies beside brindo-cli, as beside the program.
QString sampleLibrary() {
    return QFileInfo(QStringLiteral(BRINDO_CLI)).absolutePath();
}

void copyLibrary(const QString& from, const QString& to) {
    QDirIterator it(from, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString copy = to + u'/' + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(copy).path());
        ASSERT_TRUE(QFile::copy(file, copy)) << copy.toStdString();
    }
}

QByteArray contentsOf(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage pixelsOf(const QString& file) {
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

TEST(CommandLineTest, UsageAndErrorsInTheUsualManner) {
    const CliRun bare = cli({});
    EXPECT_EQ(bare.status, 1);
    EXPECT_TRUE(bare.err.startsWith("Usage: brindo-cli COMMAND"));
    const CliRun help = cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("render") && help.out.contains("check") &&
                help.out.contains("list"));
    for (const QString command : {"render", "check", "list"}) {
        const CliRun commandHelp = cli({command, "--help"});
        EXPECT_EQ(commandHelp.status, 0);
        EXPECT_TRUE(commandHelp.out.startsWith("Usage: brindo-cli " + command + ' '));
        EXPECT_TRUE(commandHelp.out.contains("--library DIR"));
    }
    EXPECT_TRUE(cli({"render", "--help"}).out.contains("2 when it was written without some"));

    const std::pair<QStringList, const char*> failures[] = {
        {{"draw"}, "brindo-cli: unknown command \"draw\""},
        {{"render"}, "brindo-cli render: DOCUMENT is missing"},
        {{"render", "a.BRD"}, "-o OUT is required"},
        {{"render", "a.BRD", "-o", "a.gif"}, "must end in .bmp or .png"},
        {{"render", "a.BRD", "b.BRD", "-o", "a.bmp"}, "unexpected argument \"b.BRD\""},
        {{"render", "none.BRD", "-o", "a.bmp"}, "does not exist"},
        {{"check", "--bogus"}, "Unknown option 'bogus'"},
        {{"list", "--library", "/no/such/folder"}, "the library folder \"/no/such/folder\""},
    };
    for (const auto& [arguments, message] : failures) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 1) << message;
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1) << "one line: " << run.err.toStdString();
    }
}

class DressedOutfitTest : public testing::Test {
protected:
    QTemporaryDir temp;
    QString place = temp.path() + "/first place";
    QString install = place + "/Brindo";
    test::FakeDialogs::Shared dialogs;
    std::unique_ptr<Form1> form;

    DressedOutfitTest() {
        copyLibrary(sampleLibrary(), install);
        form = std::make_unique<Form1>(install, std::make_unique<test::FakeDialogs>(dialogs));
        form->Form_Load();
    }

    QString path(const QString& name) const { return temp.path() + u'/' + name; }

    void pick(ListBox* list, const QString& row) {
        const int index = static_cast<int>(list->rows().indexOf(row));
        ASSERT_GE(index, 0) << row.toStdString();
        list->setCurrentRow(index);
    }
    void run(const char* action, const QString& answer) {
        dialogs.answers.assign({answer});
        form->action(action)->trigger();
    }
};

// Dressed in the window, saved and exported; brindo-cli draws the same
// pixels, also once the whole installation has moved elsewhere.
TEST_F(DressedOutfitTest, RenderGivesTheWindowsPicture) {
    pick(form->list1(), "Tops");
    pick(form->list2(), "03");
    pick(form->list1(), "Hair");
    pick(form->list2(), "Long");
    pick(form->list3(), "07");
    pick(form->list1(), "Eyes");
    pick(form->list2(), "Round");
    run("saveas", path("look.BRD"));
    run("image", path("look.bmp"));
    pick(form->list1(), "Ready-made outfits");
    pick(form->list2(), "01");
    run("saveas", path("ready.BRD"));
    run("image", path("ready.bmp"));
    ASSERT_TRUE(dialogs.messages.isEmpty());
    ASSERT_NE(pixelsOf(path("look.bmp")), pixelsOf(path("ready.bmp")));

    for (const QString outfit : {"look", "ready"}) {
        SCOPED_TRACE(outfit.toStdString());
        const CliRun run = cli({"render", path(outfit + ".BRD"), "-o", path("cli.bmp")});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        // The very same file: pixels, and a header that does not depend on the screen.
        EXPECT_EQ(contentsOf(path("cli.bmp")), contentsOf(path(outfit + ".bmp")));
    }

    ASSERT_TRUE(QDir().rename(place, path("second place")));
    const QString moved = path("second place/Brindo");
    const CliRun afterMove =
        cli({"render", path("look.BRD"), "-o", path("moved.png"), "--library", moved});
    EXPECT_EQ(afterMove.status, 0) << afterMove.err.toStdString();
    EXPECT_EQ(pixelsOf(path("moved.png")), pixelsOf(path("look.bmp")));

    // The PNG carries the document, so it renders as the same outfit again.
    QFile document(path("look.BRD"));
    ASSERT_TRUE(document.open(QIODevice::ReadOnly));
    EXPECT_EQ(QImage(path("moved.png")).text("BrindoOutfit"),
              QString::fromUtf8(document.readAll()));
    const CliRun again =
        cli({"render", path("moved.png"), "-o", path("again.bmp"), "--library", moved});
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_EQ(pixelsOf(path("again.bmp")), pixelsOf(path("look.bmp")));
}

TEST_F(DressedOutfitTest, MissingImagesAreListedAndSayInTheExitStatus) {
    QFile document(path("gap.BRD"));
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write("[Brindo]\nTops1=True\nTops2=C:\\Brindo\\Tops\\99.png\nHats1=True\n"
                   "Hats2=C:\\Brindo\\Hats\\02.png\n");
    document.close();

    const CliRun drawn =
        cli({"render", path("gap.BRD"), "-o", path("gap.bmp"), "--library", install});
    EXPECT_EQ(drawn.status, 2);
    EXPECT_TRUE(drawn.err.contains("missing image \"C:\\Brindo\\Tops\\99.png\": not found"))
        << drawn.err.toStdString();
    EXPECT_EQ(drawn.err.count(u'\n'), 2) << "the missing image, then what was written";
    EXPECT_TRUE(QFile::exists(path("gap.bmp")));

    const CliRun strict = cli({"render", path("gap.BRD"), "-o", path("strict.bmp"), "--strict"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_FALSE(QFile::exists(path("strict.bmp")));
}

// The lists that brindo-cli prints are the rows the window's lists show.
TEST_F(DressedOutfitTest, ListShowsTheWindowsRows) {
    const CliRun run = cli({"list", "--json", "--library", install});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject listing = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(listing.value("library").toString(), QDir::toNativeSeparators(install));
    QStringList categories;
    for (const QJsonValue category : listing.value("categories").toArray()) {
        const QString name = category["name"].toString();
        categories.append(name);
        pick(form->list1(), name);
        QStringList items;
        for (const QJsonValue item : category["items"].toArray()) {
            items.append(item["name"].toString());
            if (item["name"] == QJsonValue("<none>")) {
                continue;
            }
            pick(form->list2(), item["name"].toString());
            EXPECT_EQ(form->list3()->isVisibleTo(form.get()), item.toObject().contains("variants"));
            if (item.toObject().contains("variants")) {
                EXPECT_EQ(item["variants"].toVariant().toStringList(), form->list3()->rows());
            }
        }
        EXPECT_EQ(items, form->list2()->rows()) << name.toStdString();
    }
    EXPECT_EQ(categories, form->list1()->rows());
    EXPECT_TRUE(cli({"list"}).out.contains("\n  Long\n    01\n"));
}

TEST(LibraryCheckCommandTest, SampleLibraryPassesAndPlantedFaultsAreFound) {
    const CliRun sample = cli({"check"});
    EXPECT_EQ(sample.status, 0) << sample.out.toStdString();
    EXPECT_TRUE(sample.out.isEmpty()) << sample.out.toStdString();
    EXPECT_TRUE(sample.err.contains("0 error(s), 0 warning(s)"));

    QTemporaryDir temp;
    const QString broken = temp.path() + "/Brindo";
    copyLibrary(sampleLibrary(), broken);
    const auto plant = [&](const QString& file, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(broken + u'/' + file).path());
        QFile out(broken + u'/' + file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    };
    QFile::remove(broken + "/Bottoms/00.png");
    QFile::remove(broken + "/Hair/Long/072.png");
    QFile::remove(broken + "/Ready-made outfits/02/5.png");
    QFile::remove(broken + "/Eyes/Round/00.png");
    plant("Tops/02.png", "GIF89a not a png");
    QDir(broken).mkdir("Shoes");
    QFile::copy(broken + "/Tops/01.png", broken + "/Shoes/01.png");
    plant("Hats/01.png", "\x89PNG\r\n\x1a\n cut short");

    const CliRun run = cli({"check", "--library", broken});
    EXPECT_EQ(run.status, 1);
    for (const QString& fault :
         {"error: " + broken + "/Bottoms/00.png: ", "error: " + broken + "/Hair/Long: ",
          "error: " + broken + "/Ready-made outfits/02: ", "error: " + broken + "/Eyes/Round: ",
          "error: " + broken + "/Tops/02.png: ", "warning: " + broken + "/Shoes: ",
          "error: " + broken + "/Hats/01.png: "}) {
        EXPECT_TRUE(run.out.contains(u'\n' + fault) || run.out.startsWith(fault))
            << fault.toStdString() << "\n"
            << run.out.toStdString();
    }
    EXPECT_EQ(run.out.count(u'\n'), 7) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains("6 error(s), 1 warning(s)")) << run.err.toStdString();
}

} // namespace
} // namespace brindo
