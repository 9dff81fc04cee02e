#include "app/main_window.h"
#include "support/fake_dialogs.h"
#include "support/temp_library.h"

#include <QAction>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace brindo {
namespace {

QString number(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

void clickRow(ListBox* list, const QString& name) {
    const int row = list->rowOf(name);
    ASSERT_GE(row, 0) << name.toStdString();
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// A window on a small library: Tops "01" and "02", the one-layer hair "Long".
class WindowViewTest : public testing::Test {
protected:
    test::TempLibrary library;
    test::FakeDialogs::Shared dialogs;
    std::unique_ptr<MainWindow> form;

    WindowViewTest() {
        library.addFixedFiles(2, 1);
        for (int image = 0; image <= 20; ++image) {
            library.addImage("Hair/Long/" + number(image) + ".png", QColor(10, image, 50), 1, 1);
        }
        library.addImage("Tops/01.png", QColor(Qt::red), 2, 1);
        library.addImage("Tops/02.png", QColor(Qt::green), 2, 1);
        form = std::make_unique<MainWindow>(library.root(),
                                            std::make_unique<test::FakeDialogs>(dialogs));
        form->start();
    }

    QString selected(const ListBox* list) const {
        return list->selectedName().value_or(QStringLiteral("(none)"));
    }
};

// Opening a category, New and Open select the rows of what the character
// wears, and selecting them that way picks nothing and draws nothing.
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
    dialogs.answers.assign({QDir(library.root()).filePath("hair.BRD")});
    form->action("open")->trigger();
    EXPECT_EQ(selected(form->itemList()), "Long");
    EXPECT_EQ(selected(form->variantList()), "03");
    EXPECT_FALSE(form->outfit().bottom.enabled) << "the document's outfit, not a pick's";
    EXPECT_EQ(itemClicks.count() + variantClicks.count(), 1) << "only the key press";
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
} // namespace brindo
