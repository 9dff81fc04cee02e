#include "catalogue/random_outfit.h"
#include "render/outfit_render.h"
#include "support/window_test.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>

namespace brindo {
namespace {

using test::clickRow;
constexpr int kWidth = 3;

// An image of the library's size, clear but for one pixel.
QImage onePixel(int x, const QColor& colour) {
    QImage image(kWidth, 1, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(x, 0, colour);
    return image;
}

class EditCommandsTest : public test::WindowTest {
protected:
    EditCommandsTest() {
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
        openWindow();
    }

    void pick(const QString& category, const QString& item) {
        clickRow(form->categoryList(), category);
        clickRow(form->itemList(), item);
    }
    bool keptIn(MainWindow& window, const QString& category) {
        menus_.push_back(window.categoryMenu(category));
        return menus_.back()->findChild<QAction*>("keepCategory")->isChecked();
    }
    void toggleKept(const QString& category) {
        menus_.push_back(form->categoryMenu(category));
        menus_.back()->findChild<QAction*>("keepCategory")->trigger();
    }

private:
    std::vector<std::unique_ptr<QMenu>> menus_;
};

// Every kind of step undoes and redoes to the same picture; a new step forgets the redo list.
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
    pick("Tops", "01");
    stepped();
    clickRow(form->itemList(), "01"); // puts on nothing new: no step
    pick("Eyes", "Round");
    stepped();
    clickRow(form->variantList(), "02");
    stepped();
    pick("Ready-made outfits", "05");
    stepped();
    run("randomOutfit");
    stepped();
    run("new");
    stepped();
    run("open", {path("dressed.BRD")});
    stepped();

    for (auto step = outfits.size() - 2; step >= 0; --step) {
        run("undo");
        Outfit expected = outfits.at(step);
        expected.documentPath = path("dressed.BRD");
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
        expected.documentPath = path("dressed.BRD");
        EXPECT_EQ(form->outfit(), expected) << "redo to step " << step;
        EXPECT_EQ(form->picture(), pictures.at(step)) << "redo to step " << step;
    }
    EXPECT_FALSE(form->action("redo")->isEnabled());

    for (int step = 0; step < 3; ++step) {
        run("undo");
    }
    pick("Tops", "02"); // the first top is on: this one is a change
    EXPECT_FALSE(form->action("redo")->isEnabled()) << "a new step forgets what was undone";
    run("undo");
    EXPECT_EQ(form->picture(), pictures.at(4));
}

// The keys work in the list just clicked; Ctrl+C copies the picture, not the row's text.
TEST_F(EditCommandsTest, KeysInTheWindowUndoTwoRandomOutfits) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const auto press = [this](Qt::Key key) {
        QTest::keyClick(form->categoryList(), key, Qt::ControlModifier);
    };
    const int startWidth = form->width();
    press(Qt::Key_R);
    press(Qt::Key_Z);
    EXPECT_EQ(form->width(), startWidth) << "with no category open the lists keep their room";
    pick("Tops", "01");
    pick("Eyes", "Round");
    const Outfit dressed = form->outfit();
    const QImage picture = form->picture();
    form->seedRandom(5);
    QList<Outfit> seen{dressed};
    for (int time = 0; time < 2; ++time) {
        press(Qt::Key_R);
        EXPECT_FALSE(seen.contains(form->outfit())) << "press " << time;
        seen.append(form->outfit());
    }
    press(Qt::Key_Z);
    press(Qt::Key_Z);
    EXPECT_EQ(form->outfit(), dressed);
    EXPECT_EQ(form->picture(), picture);
    press(Qt::Key_Y);
    EXPECT_EQ(form->outfit(), seen.at(1));
    QTest::keyClick(form->categoryList(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->outfit(), seen.at(2));

    // Copy puts the outfit on the clipboard with its transparency.
    QGuiApplication::clipboard()->clear();
    press(Qt::Key_C);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_TRUE(copied.hasAlphaChannel());
    EXPECT_EQ(
        copied.convertToFormat(QImage::Format_ARGB32_Premultiplied),
        renderOutfit(form->outfit(), library.stored(), {.transparent = true, .openCategory = {}})
            .picture);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// Random Outfit draws from the window's seed and keeps the categories marked to stay.
TEST_F(EditCommandsTest, RandomOutfitFollowsTheSeedAndLeavesKeptCategories) {
    pick("Tops", "02");
    EXPECT_FALSE(keptIn(*form, "Tops"));
    toggleKept("Tops");
    EXPECT_TRUE(keptIn(*form, "Tops")) << "remembered";
    EXPECT_FALSE(keptIn(*form, "Eyes"));
    form->action("randomReadyMade")->trigger();

    for (quint32 seed = 1; seed <= 8; ++seed) {
        const Outfit before = form->outfit();
        form->seedRandom(seed);
        run("randomOutfit");
        QRandomGenerator random(seed);
        EXPECT_EQ(form->outfit(), randomOutfit(library.stored(), before, {{"Tops"}, true}, random));
        EXPECT_EQ(form->outfit().tops, before.tops);
    }

    const auto next = anotherWindow();
    EXPECT_TRUE(keptIn(*next, "Tops"));
    EXPECT_TRUE(next->action("randomReadyMade")->isChecked());
    toggleKept("Tops");
    EXPECT_FALSE(keptIn(*next, "Tops"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
} // namespace brindo
