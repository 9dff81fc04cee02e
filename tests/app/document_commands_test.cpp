#include "app/main_window.h"
#include "support/fake_dialogs.h"
#include "support/permissions.h"
#include "support/temp_library.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <gtest/gtest.h>

namespace brindo {
namespace {

constexpr int kSize = 8;

// The layers of a document written by hand, each opaque in a column of its own.
const char* const kDressed[][3] = {{"Background1", "Background2", "Backgrounds/01.png"},
                                   {"Bottom1", "Bottom2", "Bottoms/00.png"},
                                   {"Hair1", "Hair2", "Hair/Long/001.png"},
                                   {"Hair3", "Hair4", "Hair/Long/002.png"},
                                   {"Tops1", "Tops2", "Tops/01.png"}};

class DocumentCommandsTest : public testing::Test {
protected:
    test::TempLibrary library;
    test::FakeDialogs::Shared dialogs;
    std::unique_ptr<MainWindow> form;

    DocumentCommandsTest() {
        QSettings().clear();
        library.addFixedFiles(kSize, kSize);
        const auto column = [](int x, const QColor& colour) {
            QImage image(kSize, kSize, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            QPainter(&image).fillRect(x, 0, 1, kSize, colour);
            return image;
        };
        library.addImage("10195.png", column(0, Qt::darkYellow)); // leaves room behind it
        QByteArray dressed = "[Brindo]\n";
        int x = 0;
        for (const auto& [flagKey, pathKey, file] : kDressed) {
            ++x;
            library.addImage(file, column(x, QColor::fromHsv(40 * x, 255, 255)));
            dressed += QByteArray(flagKey) + "=True\n" + pathKey + '=' +
                       library.stored(file).toUtf8() + '\n';
        }
        library.addFile("dressed.BRD", dressed);
        form = std::make_unique<MainWindow>(library.root(),
                                            std::make_unique<test::FakeDialogs>(dialogs));
        form->start();
    }

    QString path(const QString& name) const { return QDir(library.root()).filePath(name); }
    static QByteArray bytesOf(const QString& file) {
        QFile opened(file);
        return opened.open(QIODevice::ReadOnly) ? opened.readAll() : QByteArray();
    }
    QStringList recentFiles() const {
        QStringList files;
        for (const QAction* entry : form->recentMenu()->actions()) {
            if (entry->data().isValid()) {
                files.append(entry->data().toString());
            }
        }
        return files;
    }

    void run(const char* action, std::initializer_list<std::optional<QString>> answers = {}) {
        dialogs.answers.assign(answers.begin(), answers.end());
        form->action(action)->trigger();
        EXPECT_TRUE(dialogs.answers.empty()) << action << " asked fewer questions";
    }
};

// A failed save leaves the document as it was: Save asks again, or keeps
// writing to the document that worked.
TEST_F(DocumentCommandsTest, SaveAsksForANameOnlyWhileThereIsNoDocument) {
    run("save", {path("gone/first.BRD")});
    ASSERT_EQ(dialogs.messages.size(), 1) << "the folder does not exist";
    EXPECT_TRUE(dialogs.messages.at(0).contains(QDir::toNativeSeparators(path("gone/first.BRD"))));
    EXPECT_TRUE(dialogs.messages.at(0).contains("does not exist"));
    EXPECT_TRUE(form->outfit().documentPath.isEmpty());
    QDir(library.root()).mkdir("gone");
    run("save", {path("gone/first.BRD")});
    EXPECT_TRUE(QFile::exists(path("gone/first.BRD")));
    run("save");
    run("saveAs", {path("second.BRD")});
    EXPECT_EQ(form->outfit().documentPath, path("second.BRD"));
    run("saveAs", {path("gone/again/third.BRD")});
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(form->outfit().documentPath, path("second.BRD"));
    run("new");
    EXPECT_TRUE(form->outfit().documentPath.isEmpty());
    EXPECT_EQ(dialogs.asked.size(), 4);
}

TEST_F(DocumentCommandsTest, SavedOutfitOpensAgainLayerByLayer) {
    const QImage startPicture = form->picture();
    run("open", {path("dressed.BRD")});
    const Outfit dressed = form->outfit();
    const QImage dressedPicture = form->picture();
    ASSERT_NE(dressedPicture, startPicture);
    run("saveAs", {path("look.BRD")});
    run("new");
    EXPECT_EQ(form->picture(), startPicture);
    EXPECT_EQ(form->outfit().tops.path(), dressed.tops.path()) << "New keeps the paths";

    QList<QImage> frames;
    QObject::connect(form->canvasView(), &CanvasView::refreshed,
                     [&] { frames.append(form->picture()); });
    run("open", {path("look.BRD")});
    Outfit expected = dressed;
    expected.documentPath = path("look.BRD");
    EXPECT_EQ(form->outfit(), expected);
    EXPECT_EQ(form->picture(), dressedPicture);
    // One refresh per layer read, then one for the full redraw.
    ASSERT_EQ(frames.size(), 5 + 1);
    EXPECT_NE(frames.first(), dressedPicture) << "the picture builds up layer by layer";
    EXPECT_EQ(frames.at(4), dressedPicture);

    // Named on the command line: the same outfit, without a dialog.
    MainWindow started(library.root(), std::make_unique<test::FakeDialogs>(dialogs));
    started.start();
    started.openDocument(path("look.BRD"));
    EXPECT_EQ(started.outfit(), expected);
    EXPECT_EQ(started.picture(), dressedPicture);
    EXPECT_EQ(dialogs.asked.size(), 3);
}

// Images that a document names and the library lacks are left out of the
// picture, and named once in a note that does not stop the work.
TEST_F(DocumentCommandsTest, OpenNotesTheImagesNotFoundAndKeepsTheirPaths) {
    run("open", {path("dressed.BRD")});
    EXPECT_TRUE(dialogs.notes.isEmpty());
    // In slot order: the eyes come first, the tops last.
    const QString gone[] = {"\\Old\\Eyes\\93.png", "\\Old\\Hats\\92.png", "\\Old\\Mouth\\94.png",
                            "\\Old\\Other\\95.png", "\\Old\\Tops\\91.png"};
    const char* const keys[] = {"Eyes", "Hats", "Mouth", "Other", "Tops"};
    QByteArray two = "[Brindo]\nBottom1=True\nBottom2=" + library.stored("Bottoms/00.png").toUtf8();
    QByteArray five = "[Brindo]";
    for (int i = 0; i < 5; ++i) {
        const QByteArray layer =
            QByteArray("\n") + keys[i] + "1=True\n" + keys[i] + "2=" + gone[i].toUtf8();
        five += layer;
        two += i % 4 == 0 ? layer : QByteArray();
    }
    library.addFile("two.BRD", two);
    library.addFile("five.BRD", five);
    run("open", {path("two.BRD")});
    ASSERT_EQ(dialogs.notes.size(), 1);
    EXPECT_TRUE(dialogs.notes.at(0).contains("without 2 images that were not found") &&
                dialogs.notes.at(0).contains(gone[0] + " and " + gone[4] + "."))
        << dialogs.notes.at(0).toStdString();
    EXPECT_EQ(form->outfit().tops.path(), gone[4]) << "the document's path stays";
    EXPECT_TRUE(dialogs.messages.isEmpty());

    MainWindow started(library.root(), std::make_unique<test::FakeDialogs>(dialogs));
    started.start();
    // Named on the command line: a missing document is told, and the
    // window stays on the default outfit, ready to save it there.
    const Outfit startUp = started.outfit();
    started.openDocument(path("missing.BRD"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.at(0).contains(path("missing.BRD") + "\" does not exist"));
    Outfit expected = startUp;
    expected.documentPath = path("missing.BRD");
    EXPECT_EQ(started.outfit(), expected);
    started.openDocument(path("five.BRD"));
    ASSERT_EQ(dialogs.notes.size(), 2);
    EXPECT_TRUE(
        dialogs.notes.at(1).contains("without 5 images") &&
        dialogs.notes.at(1).contains(gone[0] + ", " + gone[1] + ", " + gone[2] + " and 2 more."))
        << dialogs.notes.at(1).toStdString();
}

TEST_F(DocumentCommandsTest, CancelInAnyDialogAndOpenOfANonDocumentChangeNothing) {
    run("save", {std::nullopt});
    EXPECT_TRUE(form->outfit().documentPath.isEmpty());
    run("saveAs", {path("kept.BRD")});
    run("exportImage", {path("look.png")});
    library.addFile("truncated.png", bytesOf(path("look.png")).first(200));
    const QStringList files = QDir(library.root()).entryList(QDir::Files);
    const Outfit before = form->outfit();
    const QImage picture = form->picture();
    for (const char* action : {"saveAs", "open", "exportImage"}) {
        run(action, {std::nullopt});
    }
    run("open", {path("10195.png")});
    run("open", {path("truncated.png")});
    run("open", {path("gone.png")});
    EXPECT_EQ(QDir(library.root()).entryList(QDir::Files), files);
    // Not even a text file without an outfit opens, nor does Save write to it.
    const QByteArray notes = "# Notes\n\nTops1=True\n";
    library.addFile("notes.md", notes);
    run("open", {path("notes.md")});
    EXPECT_EQ(form->outfit(), before);
    EXPECT_EQ(form->picture(), picture);
    ASSERT_EQ(dialogs.messages.size(), 4);
    EXPECT_TRUE(dialogs.messages.at(0).contains(QDir::toNativeSeparators(path("10195.png"))));
    EXPECT_TRUE(dialogs.messages.at(0).contains("without an outfit"));
    EXPECT_TRUE(dialogs.messages.at(1).contains(QDir::toNativeSeparators(path("truncated.png"))));
    EXPECT_TRUE(dialogs.messages.at(2).contains("does not exist"));
    EXPECT_TRUE(dialogs.messages.at(3).contains(QDir::toNativeSeparators(path("notes.md"))) &&
                dialogs.messages.at(3).contains("holds no outfit"))
        << dialogs.messages.at(3).toStdString();
    EXPECT_EQ(form->outfit().documentPath, path("kept.BRD")) << "never a document named .png";
    run("save");
    QFile kept(path("notes.md"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), notes);
}

TEST_F(DocumentCommandsTest, ExportWritesTheCanvasAsA24BitBmpAndTellsFailures) {
    run("exportImage", {path("look.bmp")});
    QFile file(path("look.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bmp = file.readAll();
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(bmp.at(28), 24) << "bits a pixel";
    EXPECT_EQ(bmp.mid(30, 4), QByteArray(4, '\0')) << "uncompressed";
    EXPECT_EQ(bmp.mid(38, 8), QByteArray::fromHex("c40e0000c40e0000")) << "96 dots an inch";
    EXPECT_EQ(QImage::fromData(bmp, "bmp").convertToFormat(QImage::Format_RGB32), form->picture());
    EXPECT_EQ(dialogs.asked.back().filters,
              (QStringList{"BMP files (*.bmp)", "PNG pictures (*.png)"}));
    run("exportImage", {path("look")}); // no extension, or another one: BMP
    run("exportImage", {path("look.jpg")});
    EXPECT_EQ(bytesOf(path("look")), bmp);
    EXPECT_EQ(bytesOf(path("look.jpg")), bmp);
    // Without a transparent background a PNG holds the BMP's pixels.
    run("exportImage", {path("look.png")});
    EXPECT_TRUE(bytesOf(path("look.png")).startsWith("\x89PNG"));
    EXPECT_EQ(QImage(path("look.png"), "png").convertToFormat(QImage::Format_RGB32),
              form->picture());

    run("exportImage", {path("gone/look.bmp")});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.at(0).contains(QDir::toNativeSeparators(path("gone/look.bmp"))));
    EXPECT_TRUE(dialogs.messages.at(0).contains("does not exist"));
    run("exportImage", {path("Tops")});
    EXPECT_TRUE(dialogs.messages.value(1).contains("belongs to a folder"));
    if (!test::permissionsEnforced()) {
        GTEST_SKIP() << "this user can write in read-only folders";
    }
    library.addFolder("locked");
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    run("exportImage", {path("locked/look.bmp")});
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(dialogs.messages.size(), 3);
    EXPECT_TRUE(dialogs.messages.at(2).contains("permission"));
    EXPECT_FALSE(QFile::exists(path("locked/look.bmp")));
}

// With a transparent background the exported PNG holds the layers composed
// on nothing: compared here with a composite of the layer files worked out
// apart. The picture opens again as the same outfit, without a document, so
// that Save never writes over it.
TEST_F(DocumentCommandsTest, TransparentPngKeepsTheLayersAlphaAndOpensAsTheSameOutfit) {
    QImage veil(kSize, kSize, QImage::Format_ARGB32);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            veil.setPixelColor(x, y, QColor(30 * x, 200, 25 * y, 9 * x + 27 * y + 3));
        }
    }
    library.addImage("Tops/01.png", veil); // over every other column, in part
    run("open", {path("dressed.BRD")});
    const Outfit dressed = form->outfit();
    const QImage canvas = form->picture();
    form->action("transparentExport")->trigger();
    run("exportImage", {path("look.png")});
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();

    const QImage exported =
        QImage(path("look.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_EQ(exported.size(), QSize(kSize, kSize));
    const char* const drawingOrder[] = {
        "Backgrounds/01.png", "Hair/Long/002.png", "10195.png",         "Bottoms/00.png",
        "Tops/01.png",        "10196.png",         "Hair/Long/001.png", "wm.png"};
    QList<QImage> layers;
    for (const char* file : drawingOrder) {
        layers.append(QImage(library.native(file)).convertToFormat(QImage::Format_ARGB32));
    }
    bool partlyClear = false;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            double alpha = 0; // "source over", premultiplied, in full precision
            std::array<double, 3> colour{};
            for (const QImage& layer : layers) {
                const QColor source = layer.pixelColor(x, y);
                const double a = source.alphaF();
                const std::array<double, 3> channels{source.redF(), source.greenF(),
                                                     source.blueF()};
                for (std::size_t c = 0; c < 3; ++c) {
                    colour[c] = channels[c] * a + colour[c] * (1 - a);
                }
                alpha = a + alpha * (1 - a);
            }
            const QRgb pixel = exported.pixel(x, y);
            SCOPED_TRACE(testing::Message() << "pixel " << x << ", " << y);
            EXPECT_NEAR(qAlpha(pixel), alpha * 255, 1.0);
            EXPECT_NEAR(qRed(pixel), colour[0] * 255, 2.0);
            EXPECT_NEAR(qGreen(pixel), colour[1] * 255, 2.0);
            EXPECT_NEAR(qBlue(pixel), colour[2] * 255, 2.0);
            partlyClear = partlyClear || (qAlpha(pixel) > 0 && qAlpha(pixel) < 255);
        }
    }
    EXPECT_TRUE(partlyClear);

    // It carries the outfit, and no folder of this machine.
    const QString carried = QImage(path("look.png")).text("BrindoOutfit");
    EXPECT_TRUE(carried.contains("Tops2=\\Brindo library\\Tops\\01.png")) << carried.toStdString();
    for (const QString& folder : {library.root(), library.stored()}) {
        EXPECT_FALSE(carried.contains(folder));
        EXPECT_FALSE(bytesOf(path("look.png")).contains(folder.toUtf8()));
    }

    run("new");
    run("open", {path("look.png")});
    EXPECT_EQ(dialogs.asked.back().filters,
              (QStringList{"Outfit documents (*.BRD)", "Pictures with an outfit (*.png)"}));
    Outfit expected = dressed;
    expected.documentPath.clear();
    EXPECT_EQ(form->outfit(), expected);
    EXPECT_EQ(form->picture(), canvas);
    run("save", {path("again.BRD")}); // asks for a name
    EXPECT_TRUE(bytesOf(path("look.png")).startsWith("\x89PNG"));
    EXPECT_EQ(form->outfit().documentPath, path("again.BRD"));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Where an image it names is gone, the picture still opens, with a note.
    ASSERT_TRUE(QFile::remove(path("Tops/01.png")));
    const qsizetype notes = dialogs.notes.size();
    run("open", {path("look.png")});
    expected.tops.switchOn("\\Brindo library\\Tops\\01.png"); // as the picture names it
    EXPECT_EQ(form->outfit(), expected);
    ASSERT_EQ(dialogs.notes.size(), notes + 1);
    EXPECT_TRUE(dialogs.notes.back().contains("01.png")) << dialogs.notes.back().toStdString();
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// Open Recent lists the last documents and pictures opened or saved; one
// deleted meanwhile is taken off when chosen. Open and Save as start where
// either of them was last used, Export where it was.
TEST_F(DocumentCommandsTest, RecentFilesAndTheFoldersOfDialogsAreRemembered) {
    EXPECT_FALSE(form->recentMenu()->isEnabled());
    library.addFolder("outfits");
    library.addFolder("pictures");
    run("open", {path("dressed.BRD")});
    run("saveAs", {path("outfits/look.BRD")});
    run("exportImage", {path("pictures/look.png")});
    run("open", {path("pictures/look.png")});
    run("open", {path("dressed.BRD")});
    run("exportImage", {path("pictures/again.bmp")});
    QStringList folders;
    for (const FileDialogSettings& asked : std::as_const(dialogs.asked)) {
        folders.append(asked.folder);
    }
    EXPECT_EQ(folders, (QStringList{"", library.root(), "", path("outfits"), path("pictures"),
                                    path("pictures")}));
    EXPECT_TRUE(form->recentMenu()->isEnabled());
    EXPECT_EQ(recentFiles(), (QStringList{path("dressed.BRD"), path("pictures/look.png"),
                                          path("outfits/look.BRD")}));

    const Outfit before = form->outfit();
    ASSERT_TRUE(QFile::remove(path("outfits/look.BRD")));
    form->openRecent(path("outfits/look.BRD"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(
        dialogs.messages.at(0).contains(QDir::toNativeSeparators(path("outfits/look.BRD"))));
    EXPECT_TRUE(dialogs.messages.at(0).contains("no longer exists"));
    EXPECT_EQ(form->outfit(), before);
    EXPECT_EQ(recentFiles(), (QStringList{path("dressed.BRD"), path("pictures/look.png")}));

    // Chosen from the menu, a picture opens as by Open.
    form->recentMenu()->actions().at(1)->trigger();
    EXPECT_TRUE(form->outfit().documentPath.isEmpty());
    EXPECT_EQ(recentFiles().first(), path("pictures/look.png"));

    QStringList saved;
    for (int number = 1; number <= 11; ++number) {
        saved.prepend(path(QStringLiteral("outfits/%1.BRD").arg(number)));
        run("saveAs", {saved.first()});
    }
    EXPECT_EQ(recentFiles(), saved.first(10));
    form->action("clearRecent")->trigger();
    EXPECT_TRUE(recentFiles().isEmpty());
    EXPECT_FALSE(form->recentMenu()->isEnabled());
}

} // namespace
} // namespace brindo
