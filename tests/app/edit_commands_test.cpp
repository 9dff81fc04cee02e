#include "app/main_window.h"
#include "catalogue/random_outfit.h"
#include "render/outfit_render.h"
#include "support/fake_dialogs.h"
#include "support/temp_library.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace brindo {
namespace {

constexpr int kWidth = 3;

// An image of the library's size, clear but for one pixel.
QImage onePixel(int x, const QColor& colour) {
    QImage image(kWidth, 1, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(x, 0, colour);
    return image;
}

class EditCommandsTest : public testing::Test {
protected:
    test::TempLibrary library;
    test::FakeDialogs::Shared dialogs;
    std::unique_ptr<MainWindow> form;

    EditCommandsTest() {
        QSettings().clear();
        library.addFixedFiles(kWidth, 1);
        // The figure leaves the last pixel clear, and the default bottoms dress the first.
        library.addImage("10195.png", onePixel(1, QColor(200, 150, 120, 128)));
        library.addImage("Bottoms/00.png", onePixel(0, QColor(20, 40, 160)));
        library.addImage("Tops/01.png", onePixel(1, Qt::red));
        library.addImage("Tops/02.png", onePixel(1, Qt::green));
        for (const int variant : {0, 1, 2}) {
            library.addImage(QStringLiteral("Eyes/Round/0%1.png").arg(variant),
                             onePixel(2, QColor(0, 0, 80 * (variant + 1))));
        }
        library.addImage("Ready-made outfits/05/1.png", onePixel(2, Qt::yellow));
        library.addFile("dressed.BRD",
                        "[Brindo]\nTops1=True\nTops2=" + library.stored("Tops/02.png").toUtf8());
        form = std::make_unique<MainWindow>(library.root(),
                                            std::make_unique<test::FakeDialogs>(dialogs));
        form->start();
    }

    void click(ListBox* list, const QString& text) {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.front()).center());
    }
    void run(const char* action, std::optional<QString> answer = std::nullopt) {
        dialogs.answers.assign({answer});
        form->action(action)->trigger();
        dialogs.answers.clear();
    }
    QAction* keepOption(const QString& category) {
        menus_.push_back(form->categoryMenu(category));
        return menus_.back()->findChild<QAction*>("keepCategory");
    }

private:
    std::vector<std::unique_ptr<QMenu>> menus_;
};

// Picks, variants, a ready-made outfit, Random Outfit, New and Open are steps that undo takes back
// one at a time, to the same picture; redo brings them back; a new step
// forgets what could be redone. The document path stays as it is.
TEST_F(EditCommandsTest, UndoAndRedoGoThroughEveryKindOfStep) {
    form->seedRandom(3);
    QList<Outfit> outfits{form->outfit()};
    QList<QImage> pictures{form->picture()};
    const auto stepped = [&] {
        EXPECT_NE(form->outfit(), outfits.back()) << "step " << outfits.size();
        outfits.append(form->outfit());
        pictures.append(form->picture());
    };
    EXPECT_FALSE(form->action("undo")->isEnabled() || form->action("redo")->isEnabled());
    click(form->categoryList(), "Tops");
    click(form->itemList(), "01");
    stepped();
    click(form->itemList(), "01"); // puts on nothing new: no step
    click(form->categoryList(), "Eyes");
    click(form->itemList(), "Round");
    stepped();
    click(form->variantList(), "02");
    stepped();
    click(form->categoryList(), "Ready-made outfits");
    click(form->itemList(), "05");
    stepped();
    run("randomOutfit");
    stepped();
    run("new");
    stepped();
    run("open", library.native("dressed.BRD"));
    stepped();
    EXPECT_TRUE(form->action("undo")->isEnabled());

    const QString document = library.native("dressed.BRD");
    for (auto step = outfits.size() - 2; step >= 0; --step) {
        run("undo");
        Outfit expected = outfits.at(step);
        expected.documentPath = document;
        EXPECT_EQ(form->outfit(), expected) << "undo to step " << step;
        EXPECT_EQ(form->picture(), pictures.at(step)) << "undo to step " << step;
        // "Ready-made outfits" is open: its row follows the outfit, no other.
        const LayerSlot& readyMade = expected.readyMadeOutfit;
        EXPECT_EQ(form->itemList()->selectedName(),
                  readyMade.enabled ? std::optional(readyMade.path()) : std::nullopt)
            << "undo to step " << step;
        EXPECT_TRUE(form->variantList()->isHidden());
    }
    EXPECT_FALSE(form->action("undo")->isEnabled());
    for (qsizetype step = 1; step < outfits.size(); ++step) {
        run("redo");
        Outfit expected = outfits.at(step);
        expected.documentPath = document;
        EXPECT_EQ(form->outfit(), expected) << "redo to step " << step;
        EXPECT_EQ(form->picture(), pictures.at(step)) << "redo to step " << step;
    }
    EXPECT_FALSE(form->action("redo")->isEnabled());

    for (int step = 0; step < 3; ++step) {
        run("undo");
    }
    click(form->categoryList(), "Tops"); // the first top is on: this one is a change
    click(form->itemList(), "02");
    EXPECT_FALSE(form->action("redo")->isEnabled()) << "a new step forgets what was undone";
    run("undo");
    EXPECT_EQ(form->picture(), pictures.at(4));

    const auto keys = [this](const char* name) { return form->action(name)->shortcuts(); };
    EXPECT_TRUE(keys("undo").contains(QKeySequence("Ctrl+Z")));
    EXPECT_TRUE(keys("redo").contains(QKeySequence("Ctrl+Shift+Z")) &&
                keys("redo").contains(QKeySequence("Ctrl+Y")));
    EXPECT_TRUE(keys("randomOutfit").contains(QKeySequence("Ctrl+R")));
}

// The keys, pressed in the window where the user has just clicked: two
// random outfits and two undos give the dressed picture back, pixel for
// pixel, and Ctrl+C copies the picture, not the text of the list's row.
TEST_F(EditCommandsTest, KeysInTheWindowUndoTwoRandomOutfits) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const int startWidth = form->width();
    QTest::keyClick(form->categoryList(), Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(form->categoryList(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->width(), startWidth) << "with no category open the lists keep their room";
    click(form->categoryList(), "Tops");
    click(form->itemList(), "01");
    click(form->categoryList(), "Eyes");
    click(form->itemList(), "Round");
    const Outfit dressed = form->outfit();
    const QImage picture = form->picture();
    form->seedRandom(5);
    QList<Outfit> seen{dressed};
    for (int press = 0; press < 2; ++press) {
        QTest::keyClick(form->categoryList(), Qt::Key_R, Qt::ControlModifier);
        EXPECT_FALSE(seen.contains(form->outfit())) << "press " << press;
        seen.append(form->outfit());
    }
    for (int press = 0; press < 2; ++press) {
        QTest::keyClick(form->categoryList(), Qt::Key_Z, Qt::ControlModifier);
    }
    EXPECT_EQ(form->outfit(), dressed);
    EXPECT_EQ(form->picture(), picture);
    QTest::keyClick(form->categoryList(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->outfit(), seen.at(1));

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(form->categoryList(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// Random Outfit draws from the window's seed; a category marked in its context
// menu stays as it is, in this window and the next; ready-made outfits come in
// only when the Edit menu's option allows them.
TEST_F(EditCommandsTest, RandomOutfitFollowsTheSeedAndLeavesKeptCategories) {
    click(form->categoryList(), "Tops");
    click(form->itemList(), "02");
    QAction* keep = keepOption("Tops");
    ASSERT_NE(keep, nullptr);
    EXPECT_FALSE(keep->isChecked());
    keep->trigger();
    EXPECT_TRUE(keepOption("Tops")->isChecked()) << "remembered";
    EXPECT_FALSE(keepOption("Eyes")->isChecked());
    form->action("randomReadyMade")->trigger();

    for (quint32 seed = 1; seed <= 8; ++seed) {
        const Outfit before = form->outfit();
        form->seedRandom(seed);
        run("randomOutfit");
        QRandomGenerator random(seed);
        EXPECT_EQ(form->outfit(), randomOutfit(library.stored(), before, {{"Tops"}, true}, random));
        EXPECT_EQ(form->outfit().tops, before.tops);
        EXPECT_TRUE(form->outfit().bottom.enabled);
    }

    MainWindow next(library.root(), std::make_unique<test::FakeDialogs>(dialogs));
    next.start();
    EXPECT_TRUE(next.categoryMenu("Tops")->findChild<QAction*>("keepCategory")->isChecked());
    EXPECT_TRUE(next.action("randomReadyMade")->isChecked());
    keepOption("Tops")->trigger();
    EXPECT_FALSE(next.categoryMenu("Tops")->findChild<QAction*>("keepCategory")->isChecked());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// Copy puts the outfit on the clipboard without the canvas colour.
TEST_F(EditCommandsTest, CopyPutsThePictureWithItsTransparencyOnTheClipboard) {
    click(form->categoryList(), "Eyes");
    click(form->itemList(), "Round");
    EXPECT_EQ(form->action("copy")->shortcut(), QKeySequence("Ctrl+C"));
    run("copy");
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_TRUE(copied.hasAlphaChannel());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_ARGB32).pixelColor(1, 0).alpha(), 128);
    EXPECT_EQ(
        copied.convertToFormat(QImage::Format_ARGB32_Premultiplied),
        renderOutfit(form->outfit(), library.stored(), {.transparent = true, .openCategory = {}})
            .picture);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
} // namespace brindo
