#include "support/window_test.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace brindo {
namespace {

using test::clickRow;

class WindowViewTest : public test::WindowTest {
protected:
    WindowViewTest() {
        addHairAndTops();
        openAtActualSize();
    }

    static QString selected(const ListBox* list) {
        return list->selectedName().value_or(QStringLiteral("(none)"));
    }
};

// Opening a category, New and Open select the worn rows without picking or drawing.
TEST_F(WindowViewTest, ListsFollowTheOutfitWithoutPicking) {
    clickRow(form->categoryList(), "Tops");
    clickRow(form->itemList(), "02");
    clickRow(form->categoryList(), "Hair");
    EXPECT_EQ(selected(form->itemList()), "(none)") << "no hair yet";
    clickRow(form->itemList(), "Long");
    clickRow(form->variantList(), "07");

    QSignalSpy refreshes(form->canvasView(), &CanvasView::refreshed);
    QSignalSpy variantClicks(form->variantList(), &ListBox::clicked);
    QSignalSpy itemClicks(form->itemList(), &ListBox::clicked);
    const Outfit dressed = form->outfit();
    clickRow(form->categoryList(), "Tops");
    EXPECT_EQ(selected(form->itemList()), "02");
    EXPECT_TRUE(form->variantList()->isHidden());
    EXPECT_EQ(form->centralWidget()->width(), 392);
    clickRow(form->categoryList(), "Hair");
    EXPECT_EQ(selected(form->itemList()), "Long");
    EXPECT_TRUE(form->variantList()->isVisible());
    EXPECT_EQ(selected(form->variantList()), "07");
    EXPECT_EQ(form->centralWidget()->width(), 533);
    EXPECT_EQ(refreshes.count(), 0);
    EXPECT_EQ(itemClicks.count() + variantClicks.count(), 0);
    EXPECT_EQ(form->outfit(), dressed);

    // A key press moves on from the worn variant, as from a clicked one.
    QTest::keyClick(form->variantList(), Qt::Key_Down);
    EXPECT_EQ(form->outfit().hair.path(), library.stored("Hair/Long/08.png"));

    form->action("new")->trigger();
    EXPECT_EQ(refreshes.count(), 2) << "New draws once";
    EXPECT_EQ(selected(form->itemList()), "(none)") << "the hair is off";
    EXPECT_TRUE(form->variantList()->isHidden());

    library.addFile("hair.BRD", "[Brindo]\nHair1=True\nHair2=" +
                                    library.stored("Hair/Long/03.png").toUtf8() + "\n");
    run("open", {path("hair.BRD")});
    EXPECT_EQ(selected(form->itemList()), "Long");
    EXPECT_EQ(selected(form->variantList()), "03");
    EXPECT_FALSE(form->outfit().bottom.enabled) << "the document's outfit, not a pick's";
    EXPECT_EQ(itemClicks.count() + variantClicks.count(), 1) << "only the key press";
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

bool previewsShown(const MainWindow& form) {
    QSignalSpy shown(form.previews(), &PreviewProvider::allShown);
    return form.previews()->outstanding() == 0 || shown.wait(5000);
}

QColor iconCentre(const ListBox* list, const QString& name) {
    const QImage icon = list->item(list->rowOf(name))->icon().pixmap(32, 32).toImage();
    return icon.isNull() ? QColor() : icon.pixelColor(16, 16);
}

// Lists show previews until View > Show Previews turns them off, which is remembered.
TEST_F(WindowViewTest, ListsShowPreviewsUntilTheyAreTurnedOff) {
    ASSERT_TRUE(form->previewsShown());
    ASSERT_TRUE(previewsShown(*form));
    EXPECT_EQ(iconCentre(form->categoryList(), "Tops"), QColor(Qt::red)) << "its first item";
    clickRow(form->categoryList(), "Tops");
    ASSERT_TRUE(previewsShown(*form));
    EXPECT_EQ(iconCentre(form->itemList(), "02"), QColor(Qt::green));
    EXPECT_EQ(iconCentre(form->itemList(), "<none>"), QColor(Qt::white));
    clickRow(form->categoryList(), "Hair");
    clickRow(form->itemList(), "Long");
    ASSERT_TRUE(previewsShown(*form));
    EXPECT_EQ(iconCentre(form->variantList(), "07"), QColor(10, 70, 50));

    form->action("showPreviews")->trigger();
    for (const ListBox* list : {form->categoryList(), form->itemList(), form->variantList()}) {
        for (int row = 0; row < list->count(); ++row) {
            EXPECT_TRUE(list->item(row)->icon().isNull()) << row;
        }
    }
    form.reset();
    const auto again = anotherWindow();
    EXPECT_FALSE(again->previewsShown());
    EXPECT_FALSE(again->action("showPreviews")->isChecked());
    EXPECT_TRUE(again->categoryList()->item(0)->icon().isNull());
}

// Changed images redraw by themselves; a folder gaining or losing files relists, picking nothing.
TEST_F(WindowViewTest, ChangesOnDiskRedrawThePictureAndRefreshTheLists) {
    clickRow(form->categoryList(), "Tops");
    clickRow(form->itemList(), "01");
    ASSERT_TRUE(previewsShown(*form));
    ASSERT_EQ(form->picture().pixelColor(1, 0), QColor(Qt::red));
    QSignalSpy refreshes(form->canvasView(), &CanvasView::refreshed);

    library.addImage("Tops/01.png", QColor(Qt::blue), 2, 1);
    ASSERT_TRUE(refreshes.wait(3000)) << "the picture redraws by itself";
    EXPECT_EQ(form->picture().pixelColor(1, 0), QColor(Qt::blue));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return iconCentre(form->itemList(), "01") == QColor(Qt::blue); }, 3000))
        << "its preview is made again";
    EXPECT_EQ(iconCentre(form->categoryList(), "Tops"), QColor(Qt::blue));

    const Outfit dressed = form->outfit();
    const auto redrawn = refreshes.count();
    library.addImage("Tops/03.png", QColor(Qt::yellow), 2, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->itemList()->count() == 4; }, 3000));
    ASSERT_TRUE(QFile::remove(library.native("Tops/02.png")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->itemList()->count() == 3; }, 3000));
    EXPECT_EQ(form->itemList()->rows(), (QStringList{"<none>", "01", "03"}));
    EXPECT_EQ(selected(form->itemList()), "01");
    EXPECT_EQ(form->outfit(), dressed);
    EXPECT_EQ(refreshes.count(), redrawn) << "files the picture does not use redraw nothing";
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// A picture whose pixels all differ, to see each one enlarged.
QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixelColor(x, y, QColor(x * 2, y, 100));
        }
    }
    return image;
}

// Zoom enlarges the picture by whole pixels and the lists in height; export keeps the size.
using ZoomTest = test::WindowTest;

TEST_F(ZoomTest, PictureGrowsByWholeFactorsAndExportKeepsItsSize) {
    library.addFixedFiles(110, 212);
    library.addImage("10195.png", gradient(110, 212));
    library.addImage("Tops/01.png", QColor(Qt::transparent), 110, 212);
    openWindow();
    MainWindow& form = *this->form;
    ASSERT_EQ(form.zoom(), 1) << "twice 212 pixels is more than half the offscreen screen";
    EXPECT_EQ(form.centralWidget()->size(), QSize(533, 212));
    EXPECT_FALSE(form.action("zoomOut")->isEnabled());
    EXPECT_EQ(form.action("zoomIn")->shortcut(), QKeySequence("Ctrl++"));
    EXPECT_EQ(form.action("zoomOut")->shortcut(), QKeySequence("Ctrl+-"));
    EXPECT_EQ(form.action("actualSize")->shortcut(), QKeySequence("Ctrl+0"));

    form.action("zoomIn")->trigger();
    ASSERT_EQ(form.zoom(), 2);
    EXPECT_EQ(form.canvasView()->geometry(), QRect(0, 0, 220, 424));
    EXPECT_EQ(form.categoryList()->geometry(), QRect(220, 0, 141, 424));
    EXPECT_EQ(form.itemList()->geometry(), QRect(361, 0, 141, 424));
    EXPECT_EQ(form.variantList()->geometry(), QRect(502, 0, 141, 424));
    EXPECT_EQ(form.centralWidget()->size(), QSize(643, 424));
    EXPECT_EQ(form.picture().size(), QSize(110, 212));
    const QImage shown = form.canvasView()->grab().toImage();
    for (const QPoint pixel : {QPoint(0, 0), QPoint(1, 0), QPoint(37, 150), QPoint(109, 211)}) {
        const QColor expected = form.picture().pixelColor(pixel);
        for (const QPoint within : {QPoint(0, 0), QPoint(1, 1)}) {
            EXPECT_EQ(shown.pixelColor(pixel * 2 + within), expected) << "no smoothing";
        }
    }
    form.action("zoomIn")->trigger();
    form.action("zoomIn")->trigger();
    EXPECT_EQ(form.zoom(), 3) << "4 times 212 pixels do not fit the 800 of the screen";

    clickRow(form.categoryList(), "Tops");
    EXPECT_EQ(form.centralWidget()->size(), QSize(392 + 2 * 110, 636)) << "narrow by one list";

    // The user resizes: the largest whole factor that fits.
    const int menu = form.menuBar()->sizeHint().height();
    form.resize(600, 423 + menu);
    EXPECT_EQ(form.zoom(), 1);
    EXPECT_EQ(form.canvasView()->size(), QSize(110, 212));
    form.resize(620, 430 + menu);
    EXPECT_EQ(form.zoom(), 2);

    form.setZoom(3);
    EXPECT_EQ(form.canvasView()->size(), QSize(330, 636));
    run("exportImage", {path("picture.bmp")});
    EXPECT_EQ(QImage(path("picture.bmp")).size(), QSize(110, 212));

    form.action("actualSize")->trigger();
    EXPECT_EQ(form.centralWidget()->size(), QSize(392, 212));
    EXPECT_EQ(form.canvasView()->geometry(), QRect(0, 0, 110, 212));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// A first start zooms to fit half the screen's height; the next takes the last zoom and size.
TEST_F(ZoomTest, WindowStartsAtTheZoomAndSizeUsedLast) {
    library.addFixedFiles(10, 20);
    openWindow();
    const int halfScreen = form->screen()->availableGeometry().height() / 2;
    const int chrome = form->frameGeometry().height() - form->centralWidget()->height();
    ASSERT_LE(form->frameGeometry().height(), halfScreen);
    EXPECT_GT(chrome + form->centralWidget()->height() + 20, halfScreen)
        << "one more step would pass half the screen";
    EXPECT_EQ(form->centralWidget()->height(), 212 + (form->zoom() - 1) * 20);

    form->setZoom(2);
    form->resize(form->width() + 5, form->height() + 7);
    const QSize client = form->centralWidget()->size();
    form.reset();
    openWindow();
    EXPECT_EQ(form->zoom(), 2);
    EXPECT_EQ(form->centralWidget()->size(), client);
}

} // namespace
} // namespace brindo
