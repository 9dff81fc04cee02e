#include "app/form1.h"
#include "render/draw_outfit.h"
#include "support/fake_dialogs.h"
#include "support/temp_library.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace brindo {
namespace {

struct StartedForm {
    test::FakeDialogs::Shared dialogs;
    Form1 form;

    explicit StartedForm(const test::TempLibrary& library)
        : form(library.root(), std::make_unique<test::FakeDialogs>(dialogs)) {
        form.Form_Load();
    }
};

TEST(StartupTest, CanvasAndListsFollowTheBaseFigureSize) {
    for (const int figureWidth : {110, 120}) {
        SCOPED_TRACE(figureWidth);
        test::TempLibrary library;
        library.addFixedFiles(figureWidth, 212);
        StartedForm started(library);
        const Form1& form = started.form;

        EXPECT_EQ(form.picture().size(), QSize(figureWidth, 212));
        EXPECT_EQ(form.picture1()->geometry(), QRect(0, 0, figureWidth, 212));
        EXPECT_EQ(form.list1()->geometry(), QRect(figureWidth, 0, 141, 212));
        EXPECT_EQ(form.list2()->geometry(), QRect(figureWidth + 141, 0, 141, 212));
        EXPECT_EQ(form.list3()->geometry(), QRect(figureWidth + 282, 0, 141, 212));
        EXPECT_EQ(form.centralWidget()->width(), 533) << "the window keeps its design width";
        EXPECT_EQ(form.centralWidget()->height(), 212);
        EXPECT_TRUE(started.dialogs.messages.isEmpty());
    }
}

TEST(StartupTest, WindowHasItsCaptionFixedBorderAndFileMenu) {
    test::TempLibrary library;
    library.addFixedFiles();
    StartedForm started(library);
    Form1& form = started.form;

    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Brindo Creator");
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the user cannot resize the window";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);

    EXPECT_EQ(form.fileMenu()->title(), "File");
    QStringList items;
    QStringList keys;
    for (const QAction* action : form.fileMenu()->actions()) {
        items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        keys.append(action->shortcut().toString());
    }
    EXPECT_EQ(items,
              (QStringList{"New", "-", "Open", "Save", "Save as", "Export as Image", "-", "Quit"}));
    // Also where the desktop names no key for Save as.
    EXPECT_EQ(keys,
              (QStringList{"Ctrl+N", "", "Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "", "", "Ctrl+Q"}));
    EXPECT_FALSE(form.list2()->isVisible());
    EXPECT_FALSE(form.list3()->isVisible());

    form.action("emd")->trigger();
    EXPECT_FALSE(form.isVisible()) << "Quit ends the program without asking";
    EXPECT_TRUE(started.dialogs.asked.isEmpty());
}

TEST(StartupTest, ShowsTheDefaultOutfitAndListsEveryCategoryFolder) {
    test::TempLibrary library;
    library.addFixedFiles(2, 2);
    library.addImage("wm.png", QColor(255, 255, 255, 128), 2, 2);
    library.addFolder("tops");
    library.addFolder("Hair");
    library.addFolder("Shoes and more");
    library.addFolder(".hidden");
    library.addFile("notes.txt");
    StartedForm started(library);
    const Form1& form = started.form;

    EXPECT_EQ(form.list1()->rows(), (QStringList{"Bottoms", "Hair", "Shoes and more", "tops"}));
    EXPECT_EQ(form.list1()->selectedRow(), -1);

    OutfitState expected;
    expected.Bottom.switchOn(library.stored("Bottoms/00.png"));
    EXPECT_EQ(form.state(), expected);

    // The watermark, the image loaded last, is drawn once more at the end.
    const QRgb bottoms = qRgb(20, 40, 160);
    const QRgb once = qRgb((qRed(bottoms) + 255 + 1) / 2, (qGreen(bottoms) + 255 + 1) / 2,
                           (qBlue(bottoms) + 255 + 1) / 2);
    const QRgb twice =
        qRgb((qRed(once) + 255 + 1) / 2, (qGreen(once) + 255 + 1) / 2, (qBlue(once) + 255 + 1) / 2);
    const QRgb pixel = form.picture().pixel(0, 0);
    EXPECT_NEAR(qRed(pixel), qRed(twice), 2);
    EXPECT_NEAR(qBlue(pixel), qBlue(twice), 2);
}

TEST(StartupTest, MissingBaseFigureIsToldOnceAndTheWindowStillOpens) {
    test::TempLibrary library;
    library.addFolder("Tops");
    StartedForm started(library);
    EXPECT_TRUE(started.form.isVisible());
    EXPECT_EQ(started.form.picture().size(), QSize(0, 0));
    EXPECT_EQ(started.form.list1()->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(started.form.list1()->rows(), QStringList{"Tops"});
    ASSERT_EQ(started.dialogs.messages.size(), 1);
    EXPECT_TRUE(started.dialogs.messages[0].contains("10195.png"));
    EXPECT_TRUE(started.dialogs.messages[0].contains(library.root()));
}

} // namespace
} // namespace brindo
