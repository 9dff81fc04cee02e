#include "app/main_window.h"
#include "catalogue/stored_path.h"
#include "support/fake_dialogs.h"
#include "support/temp_library.h"

#include <QAction>
#include <QCryptographicHash>
#include <QProcess>
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
    const bool ended = process.waitForFinished(120000) && process.exitStatus() == 0;
    return {ended ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QByteArray bytesOf(const QString& name) {
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
    const std::pair<QStringList, const char*> failures[] = {
        {{"draw"}, "brindo-cli: unknown command \"draw\""},
        {{"render", "a.BRD", "-o", "a.gif"}, "must end in .bmp or .png"},
        {{"render", "none.BRD", "-o", "a.bmp"}, "does not exist"},
        {{"check", "--bogus"}, "Unknown option 'bogus'"},
        {{"list", "--library", "/no/such/folder"}, "the library folder \"/no/such/folder\""},
    };
    for (const auto& [arguments, message] : failures) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.status, 1) << message;
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

// The checker's rules are tested on their own; here, the command around them.
TEST(CommandLineTest, CheckPassesTheSampleLibraryAndReportsFaults) {
    const CliRun sample = cli({"check"});
    EXPECT_EQ(sample.status, 0);
    EXPECT_EQ(sample.out, "");
    EXPECT_TRUE(sample.err.contains("0 error(s), 0 warning(s)")) << sample.err.toStdString();

    const test::TempLibrary broken;
    broken.addFixedFiles();
    broken.addFile("Tops/01.png", "not a picture");
    const CliRun run = cli({"check", "--library", broken.root()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.startsWith("error: " + broken.native("Tops/01.png") + ": cannot be"));
    EXPECT_EQ(run.out.count(u'\n'), 1) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains("1 error(s), 0 warning(s)")) << run.err.toStdString();
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
    // The PNG carries the document, so it renders as the same outfit again.
    EXPECT_EQ(QImage(path("moved.png")).text("BrindoOutfit").toUtf8(), moved);
    EXPECT_EQ(cli({"render", path("moved.png"), "-o", path("again.bmp")}).status, 0);
    EXPECT_EQ(pixelsOf(path("again.bmp")), pixelsOf(path("look.bmp")));
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
    EXPECT_EQ(run.out, shown);
    EXPECT_TRUE(shown.contains("\n  Long\n    01\n")) << shown.toStdString();
}

} // namespace
} // namespace brindo
