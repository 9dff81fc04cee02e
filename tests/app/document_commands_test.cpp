#include "render/outfit_render.h"
#include "render/picture_export.h"
#include "support/file_bytes.h"
#include "support/permissions.h"
#include "support/window_test.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPainter>

namespace brindo {
namespace {

using test::readFile;
constexpr int kSize = 8;

// The layers of a document written by hand, each opaque in a column of its own.
const char* const kDressed[][3] = {{"Background1", "Background2", "Backgrounds/01.png"},
                                   {"Bottom1", "Bottom2", "Bottoms/00.png"},
                                   {"Hair1", "Hair2", "Hair/Long/001.png"},
                                   {"Hair3", "Hair4", "Hair/Long/002.png"},
                                   {"Tops1", "Tops2", "Tops/01.png"}};

class DocumentCommandsTest : public test::WindowTest {
protected:
    DocumentCommandsTest() {
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
        openWindow();
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
    // Whether the one message told holds every text given.
    bool toldOnce(const QStringList& texts) const {
        return dialogs.messages.size() == 1 &&
               std::all_of(texts.begin(), texts.end(), [this](const QString& text) {
                   return dialogs.messages.front().contains(text);
               });
    }
};

// A failed save changes no document: Save asks again, or writes where it worked.
TEST_F(DocumentCommandsTest, SaveAsksForANameOnlyWhileThereIsNoDocument) {
    run("save", {path("gone/first.BRD")});
    EXPECT_TRUE(toldOnce({path("gone/first.BRD"), "does not exist"})) << "no such folder";
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
    const auto started = anotherWindow();
    started->openDocument(path("look.BRD"));
    EXPECT_EQ(started->outfit(), expected);
    EXPECT_EQ(started->picture(), dressedPicture);
    EXPECT_EQ(dialogs.asked.size(), 3);
}

// Images a document names and the library lacks are left out, named in one note.
TEST_F(DocumentCommandsTest, OpenNotesTheImagesNotFoundAndKeepsTheirPaths) {
    run("open", {path("dressed.BRD")});
    EXPECT_TRUE(dialogs.notes.isEmpty());
    const QString eyes = "\\Old\\Eyes\\93.png", tops = "\\Old\\Tops\\91.png";
    library.addFile("two.BRD", "[Brindo]\nTops1=True\nTops2=" + tops.toUtf8() +
                                   "\nEyes1=True\nEyes2=" + eyes.toUtf8());
    run("open", {path("two.BRD")});
    ASSERT_EQ(dialogs.notes.size(), 1);
    EXPECT_TRUE(dialogs.notes.at(0).contains("without 2 images that were not found") &&
                dialogs.notes.at(0).contains(eyes + " and " + tops + "."))
        << "in slot order: " << dialogs.notes.at(0).toStdString();
    EXPECT_EQ(form->outfit().tops.path(), tops) << "the document's path stays";
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Named on the command line, a missing document is told; the window keeps it to save there.
    const auto started = anotherWindow();
    Outfit expected = started->outfit();
    started->openDocument(path("missing.BRD"));
    EXPECT_TRUE(toldOnce({path("missing.BRD") + "\" does not exist"}));
    expected.documentPath = path("missing.BRD");
    EXPECT_EQ(started->outfit(), expected);
}

TEST_F(DocumentCommandsTest, CancelInAnyDialogAndOpenOfANonDocumentChangeNothing) {
    run("save", {std::nullopt});
    EXPECT_TRUE(form->outfit().documentPath.isEmpty());
    run("saveAs", {path("kept.BRD")});
    run("exportImage", {path("look.png")});
    library.addFile("truncated.png", readFile(path("look.png")).first(200));
    const QByteArray notes = "# Notes\n\nTops1=True\n";
    library.addFile("notes.md", notes);
    const QStringList files = QDir(library.root()).entryList(QDir::Files);
    const Outfit before = form->outfit();
    const QImage picture = form->picture();
    for (const char* action : {"saveAs", "open", "exportImage"}) {
        run(action, {std::nullopt});
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
    // Not even a text file without an outfit opens, nor does Save write to it.
    const std::pair<const char*, const char*> refused[] = {{"10195.png", "without an outfit"},
                                                           {"truncated.png", "truncated.png"},
                                                           {"gone.png", "does not exist"},
                                                           {"notes.md", "holds no outfit"}};
    for (const auto& [file, told] : refused) {
        dialogs.messages.clear();
        run("open", {path(file)});
        EXPECT_TRUE(toldOnce({path(file), told})) << dialogs.messages.join(' ').toStdString();
    }
    EXPECT_EQ(QDir(library.root()).entryList(QDir::Files), files);
    EXPECT_EQ(form->outfit(), before);
    EXPECT_EQ(form->picture(), picture);
    EXPECT_EQ(form->outfit().documentPath, path("kept.BRD")) << "never a document named .png";
    run("save");
    EXPECT_EQ(readFile(path("notes.md")), notes);
}

TEST_F(DocumentCommandsTest, ExportWritesTheCanvasAsA24BitBmpAndTellsFailures) {
    run("exportImage", {path("look.bmp")});
    const QByteArray bmp = readFile(path("look.bmp"));
    EXPECT_EQ(bmp, encodeBmp(form->picture()));
    EXPECT_EQ(dialogs.asked.back().filters,
              (QStringList{"BMP files (*.bmp)", "PNG pictures (*.png)"}));
    run("exportImage", {path("look")}); // no extension, or another one: BMP
    run("exportImage", {path("look.jpg")});
    EXPECT_EQ(readFile(path("look")), bmp);
    EXPECT_EQ(readFile(path("look.jpg")), bmp);
    // Without a transparent background a PNG holds the BMP's pixels.
    run("exportImage", {path("look.png")});
    EXPECT_TRUE(readFile(path("look.png")).startsWith("\x89PNG"));
    EXPECT_EQ(QImage(path("look.png"), "png").convertToFormat(QImage::Format_RGB32),
              form->picture());

    run("exportImage", {path("gone/look.bmp")});
    EXPECT_TRUE(toldOnce({path("gone/look.bmp"), "does not exist"}));
    run("exportImage", {path("Tops")});
    EXPECT_TRUE(dialogs.messages.value(1).contains("belongs to a folder"));
    if (!test::permissionsEnforced()) {
        GTEST_SKIP() << "this user can write in read-only folders";
    }
    library.addFolder("locked");
    {
        const test::PermissionsTaken locked(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
        run("exportImage", {path("locked/look.bmp")});
    }
    ASSERT_EQ(dialogs.messages.size(), 3);
    EXPECT_TRUE(dialogs.messages.at(2).contains("permission"));
    EXPECT_FALSE(QFile::exists(path("locked/look.bmp")));
}

// A transparent PNG holds the layers' alpha and no local folder; it opens without a document.
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
    const QImage layers =
        renderOutfit(dressed, library.stored(), {.transparent = true, .openCategory = {}}).picture;
    EXPECT_EQ(QImage(path("look.png")).convertToFormat(QImage::Format_ARGB32),
              layers.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(qAlpha(layers.pixel(6, 0)), 57) << "the veil's own alpha";

    const QString carried = QImage(path("look.png")).text("BrindoOutfit");
    EXPECT_TRUE(carried.contains("Tops2=\\Brindo library\\Tops\\01.png")) << carried.toStdString();
    for (const QString& folder : {library.root(), library.stored()}) {
        EXPECT_FALSE(carried.contains(folder) ||
                     readFile(path("look.png")).contains(folder.toUtf8()));
    }

    run("new");
    run("open", {path("look.png")});
    EXPECT_EQ(dialogs.asked.back().filters,
              (QStringList{"Outfit documents (*.BRD)", "Pictures with an outfit (*.png)"}));
    Outfit expected = dressed;
    expected.documentPath.clear();
    EXPECT_EQ(form->outfit(), expected);
    EXPECT_EQ(form->picture(), canvas);

    // Where an image it names is gone, the picture still opens, with a note.
    ASSERT_TRUE(QFile::remove(path("Tops/01.png")));
    run("open", {path("look.png")});
    expected.tops.switchOn("\\Brindo library\\Tops\\01.png"); // as the picture names it
    EXPECT_EQ(form->outfit(), expected);
    ASSERT_EQ(dialogs.notes.size(), 1);
    EXPECT_TRUE(dialogs.notes.back().contains("01.png")) << dialogs.notes.back().toStdString();
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// Open Recent lists the last files, less one deleted meanwhile; dialogs start where last used.
TEST_F(DocumentCommandsTest, RecentFilesAndTheFoldersOfDialogsAreRemembered) {
    EXPECT_FALSE(form->recentMenu()->isEnabled());
    library.addFolder("outfits");
    library.addFolder("pictures");
    for (const auto& [action, file] : {std::pair{"open", "dressed.BRD"},
                                       {"saveAs", "outfits/look.BRD"},
                                       {"exportImage", "pictures/look.png"},
                                       {"open", "pictures/look.png"},
                                       {"open", "dressed.BRD"},
                                       {"exportImage", "pictures/again.bmp"}}) {
        run(action, {path(file)});
    }
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
    EXPECT_TRUE(toldOnce({path("outfits/look.BRD"), "no longer exists"}));
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
