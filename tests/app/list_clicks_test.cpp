#include "app/form1.h"
#include "support/fake_dialogs.h"
#include "support/temp_library.h"

#include <QDir>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace brindo {
namespace {

const QColor kBottomsColour(20, 40, 160); // the default bottoms fill the whole picture
const QColor kTopColour(220, 30, 30);
const QPoint kHairPixel(5, 1);
const QPoint kTopPixel(5, 7);

QColor hairColour(int number) {
    return {10 * number, 200, 250 - 10 * number};
}

// A 10 x 10 layer image, opaque only in rows [top, bottom).
QImage band(const QColor& colour, int top, int bottom) {
    QImage image(10, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(0, top, 10, bottom - top, colour);
    return image;
}

struct DressingForm {
    test::TempLibrary library;
    test::FakeDialogs::Shared dialogs;
    std::unique_ptr<Form1> form;

    DressingForm() {
        library.addFixedFiles(10, 10);
        for (int number = 0; number <= 20; ++number) {
            library.addImage(QStringLiteral("Hair/Long/%1.png").arg(number, 2, 10, QChar(u'0')),
                             band(hairColour(number), 0, 3));
        }
        library.addImage("Tops/01.png", band(kTopColour, 5, 10));
        form =
            std::make_unique<Form1>(library.root(), std::make_unique<test::FakeDialogs>(dialogs));
        form->Form_Load();
    }
    QColor pixel(QPoint at) const { return form->picture().pixelColor(at); }
    int clientWidth() const { return form->centralWidget()->width(); }
};

void clickRow(ListBox* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.front()).center());
}

TEST(ListClicksTest, HairItemAndVariantDressTheCharacterAndWidenTheWindow) {
    DressingForm dressing;
    Form1& form = *dressing.form;
    QSignalSpy refreshes(form.picture1(), &PictureBox::refreshed);

    clickRow(form.list1(), "Hair");
    EXPECT_EQ(form.list2()->rows(), QStringList{"Long"});
    EXPECT_TRUE(form.list2()->isVisible());
    EXPECT_FALSE(form.list3()->isVisible());
    EXPECT_EQ(dressing.clientWidth(), 392);
    EXPECT_EQ(refreshes.count(), 0) << "a category click does not redraw";

    clickRow(form.list2(), "Long");
    EXPECT_EQ(refreshes.count(), 1);
    EXPECT_TRUE(form.list3()->isVisible());
    EXPECT_EQ(dressing.clientWidth(), 533);
    EXPECT_EQ(dressing.pixel(kHairPixel), hairColour(0));

    clickRow(form.list3(), "07");
    EXPECT_EQ(refreshes.count(), 2);
    EXPECT_EQ(dressing.pixel(kHairPixel), hairColour(7));
    QTest::keyClick(form.list3(), Qt::Key_Down);
    EXPECT_EQ(refreshes.count(), 3);
    EXPECT_EQ(dressing.pixel(kHairPixel), hairColour(8));

    clickRow(form.list1(), "Tops");
    EXPECT_FALSE(form.list3()->isVisible());
    EXPECT_EQ(dressing.clientWidth(), 392);
    EXPECT_EQ(dressing.pixel(kHairPixel), hairColour(8)) << "the chosen hair stays on";
    EXPECT_TRUE(dressing.dialogs.messages.isEmpty());
}

TEST(ListClicksTest, NoneTakesTheTopOffAndARemovedCategoryIsToldOnce) {
    DressingForm dressing;
    Form1& form = *dressing.form;
    clickRow(form.list1(), "Tops");
    ASSERT_EQ(form.list2()->rows(), (QStringList{"<none>", "01"}));
    QSignalSpy refreshes(form.picture1(), &PictureBox::refreshed);

    clickRow(form.list2(), "01");
    EXPECT_EQ(dressing.pixel(kTopPixel), kTopColour);
    clickRow(form.list2(), "01");
    EXPECT_EQ(refreshes.count(), 2) << "a click on the selected row counts too";
    QTest::keyClick(form.list2(), Qt::Key_Up);
    EXPECT_EQ(refreshes.count(), 3);
    EXPECT_EQ(dressing.pixel(kTopPixel), kBottomsColour);
    EXPECT_EQ(form.state().Tops.path(), dressing.library.stored("Tops/01.png"));

    const OutfitState before = form.state();
    ASSERT_TRUE(QDir(dressing.library.native("Hair")).removeRecursively());
    clickRow(form.list1(), "Hair");
    ASSERT_EQ(dressing.dialogs.messages.size(), 1);
    EXPECT_TRUE(dressing.dialogs.messages.front().contains("Hair"));
    EXPECT_EQ(form.list2()->count(), 0);
    EXPECT_EQ(form.state(), before);
    EXPECT_EQ(form.file1().path(), dressing.library.stored("Tops"));
}

} // namespace
} // namespace brindo
