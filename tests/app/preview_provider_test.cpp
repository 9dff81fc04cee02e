#include "app/preview_provider.h"
#include "support/temp_library.h"

#include <QListWidget>
#include <QSemaphore>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace brindo {
namespace {

QImage filled(QColor colour, int side = 4) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

// The least recently used previews go first when either bound is passed; a key holds one.
TEST(PreviewCacheTest, KeepsTheMostRecentlyUsedWithinBothBounds) {
    PreviewCache cache(3, 200); // three 4 x 4 pictures take 192 bytes
    cache.insert("a", {"1", filled(Qt::red)});
    cache.insert("b", {"1", filled(Qt::green)});
    cache.insert("c", {"1", filled(Qt::blue)});
    ASSERT_TRUE(cache.find("a"));
    cache.insert("d", {"1", filled(Qt::black)});
    EXPECT_FALSE(cache.find("b")) << "the least recently used";
    EXPECT_TRUE(cache.find("a") && cache.find("c") && cache.find("d"));
    cache.insert("d", {"2", filled(Qt::white)});
    EXPECT_EQ(cache.count(), 3);
    EXPECT_EQ(cache.bytes(), 192);
    EXPECT_EQ(cache.find("d")->stamp, "2");

    cache.insert("big", {"1", filled(Qt::gray, 5)}); // 100 bytes: two must go
    EXPECT_EQ(cache.count(), 2);
    EXPECT_LE(cache.bytes(), 200);
    EXPECT_FALSE(cache.find("a")) << "used before c and d";
    EXPECT_TRUE(cache.find("big") && cache.find("d"));
}

QColor iconCentre(const QListWidget& list, int row) {
    const QImage icon = list.item(row)->icon().pixmap(16, 16).toImage();
    return icon.isNull() ? QColor() : icon.pixelColor(8, 8);
}

class PreviewProviderTest : public testing::Test {
protected:
    test::TempLibrary library;
    QListWidget list;
    PreviewProvider provider{library.stored()};
    QSignalSpy shown{&provider, &PreviewProvider::allShown};

    PreviewProviderTest() {
        provider.setIconSize(16, 2.0); // a high-density screen
        library.addImage("Tops/01.png", QColor(Qt::red), 8, 8);
        library.addImage("Tops/02.png", QColor(Qt::green), 8, 8);
        list.addItems({"01", "02", "<none>"});
    }

    // The list's rows "01" and "02" show those tops, any other row nothing.
    PreviewRows previews() const {
        QStringList rows;
        for (int row = 0; row < list.count(); ++row) {
            rows.append(list.item(row)->text());
        }
        const QString tops = library.stored("Tops");
        return {[rows](int row) { return rows.value(row); },
                [rows, tops](int row) {
                    return rows.value(row) == "<none>"
                               ? QStringList()
                               : QStringList{tops + '\\' + rows.value(row) + ".png"};
                }};
    }

    bool waitUntilShown() { return provider.outstanding() == 0 || shown.wait(5000); }
};

// Placeholders first without blocking; a changed file's row keeps its old preview until ready.
TEST_F(PreviewProviderTest, RowsShowPlaceholdersThenPreviewsAndChangedFilesGetNewOnes) {
    QSemaphore release;
    PreviewRows slow = previews();
    slow.images = [&release, all = previews().images](int row) {
        if (row == 0) {
            release.acquire();
        }
        return all(row);
    };
    provider.show(&list, slow);
    const QColor placeholder = iconCentre(list, 0);
    EXPECT_TRUE(placeholder.isValid()) << "a placeholder at once, while the file waits";
    release.release();
    ASSERT_TRUE(waitUntilShown());
    EXPECT_EQ(iconCentre(list, 0), QColor(Qt::red));
    EXPECT_EQ(iconCentre(list, 1), QColor(Qt::green));
    EXPECT_EQ(iconCentre(list, 2), QColor(Qt::white)) << "nothing on the canvas colour";
    EXPECT_EQ(provider.keptCount(), 3);
    EXPECT_EQ(provider.keptBytes(), 3 * 32 * 32 * 4) << "made in the screen's own pixels";

    library.addImage("Tops/01.png", QColor(Qt::blue), 8, 8);
    provider.show(&list, previews(), true);
    EXPECT_EQ(iconCentre(list, 0), QColor(Qt::red)) << "kept until the new one is ready";
    ASSERT_TRUE(waitUntilShown());
    EXPECT_EQ(iconCentre(list, 0), QColor(Qt::blue));
    EXPECT_EQ(provider.keptCount(), 3) << "in place of the old one";

    // Refilled before its previews came: the old answers go nowhere.
    provider.show(&list, previews());
    list.clear();
    list.addItems({"02"});
    provider.show(&list, previews());
    ASSERT_TRUE(waitUntilShown());
    EXPECT_EQ(iconCentre(list, 0), QColor(Qt::green));

    // A long list: rows beyond those of its first paint get theirs too.
    list.addItems(QStringList(299, "02"));
    provider.show(&list, previews());
    ASSERT_TRUE(waitUntilShown());
    EXPECT_EQ(iconCentre(list, 299), QColor(Qt::green));

    provider.clear(&list);
    EXPECT_TRUE(list.item(0)->icon().isNull());
}

} // namespace
} // namespace brindo
