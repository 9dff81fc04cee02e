// List rows painted with their text laid out once look exactly as the style paints them.

#include "app/list_box.h"

#include <QApplication>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>

namespace brindo {
namespace {

// Short names, names too long for the row, an empty one and one the style
// draws itself; one row selected, the list scrolled so that a row is cut.
void fill(ListBox& list, bool icons, Qt::LayoutDirection direction) {
    const QStringList names{"01",
                            "Short curly hair",
                            "A name far too long to fit in the row",
                            "",
                            "Pigtails with bows",
                            "Ünïcödé «naïve» ﬁne",
                            "Ready-made outfits",
                            "x",
                            "Strawberry blonde",
                            "Platinum blonde"};
    list.setLayoutDirection(direction);
    list.setRows(names);
    if (icons) {
        list.setIconSize(QSize(32, 32));
        QPixmap icon(32, 32);
        icon.fill(Qt::darkCyan);
        for (int row = 0; row < list.count(); row += 2) {
            list.item(row)->setIcon(QIcon(icon));
        }
    }
    list.resize(141, 212);
    list.selectQuietly(2);
    list.scrollToItem(list.item(9));
}

// The list as painted by its own delegate (twice: the second paint draws the
// texts laid out by the first), and as painted by the style's.
std::pair<QImage, QImage> paintedBothWays(ListBox& list) {
    list.viewport()->repaint();
    list.grab();
    const QImage ours = list.grab().toImage();
    QAbstractItemDelegate* own = list.itemDelegate();
    QStyledItemDelegate styles;
    list.setItemDelegate(&styles);
    const QImage theStyles = list.grab().toImage();
    list.setItemDelegate(own);
    return {ours, theStyles};
}

TEST(ListRowDelegateTest, PaintsRowsAsTheStyleDoes) {
    for (const bool icons : {false, true}) {
        for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            SCOPED_TRACE(testing::Message() << "icons " << icons << ", direction " << direction);
            ListBox list;
            fill(list, icons, direction);
            auto [ours, theStyles] = paintedBothWays(list);
            EXPECT_EQ(ours, theStyles);

            list.setFont(QFont(list.font().family(), list.font().pointSize() + 3));
            std::tie(ours, theStyles) = paintedBothWays(list);
            EXPECT_EQ(ours, theStyles) << "after the font changed";

            // With the keyboard focus on the selected row, in an active window.
            list.show();
            list.activateWindow();
            list.setFocus();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&list));
            std::tie(ours, theStyles) = paintedBothWays(list);
            EXPECT_EQ(ours, theStyles) << "with the focus";
        }
    }
}

} // namespace
} // namespace brindo
