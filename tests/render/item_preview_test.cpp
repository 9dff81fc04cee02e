#include "render/item_preview.h"
#include "support/temp_library.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace brindo::test {
namespace {

// A transparent layer with one opaque rectangle.
QImage layer(QSize size, const QRect& filled, QColor colour) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(filled, colour);
    return image;
}

// The rectangle of pixels that are not the canvas colour.
QRect drawnPart(const QImage& preview) {
    QRect drawn;
    for (int y = 0; y < preview.height(); ++y) {
        for (int x = 0; x < preview.width(); ++x) {
            if (preview.pixel(x, y) != CanvasImage::kBackground) {
                drawn |= QRect(x, y, 1, 1);
            }
        }
    }
    return drawn;
}

// A preview crops to the visible pixels, grows by whole factors and centres; back under front.
TEST(ItemPreviewTest, CropsToVisiblePixelsAndComposesInOrder) {
    TempLibrary library;
    const QSize full(40, 60);
    QImage top = layer(full, QRect(10, 20, 4, 10), Qt::red);
    top.setPixelColor(0, 0, QColor(0, 0, 255, 1)); // barely visible still counts
    library.addImage("Tops/01.png", top);
    EXPECT_EQ(drawnPart(itemPreview({library.stored("Tops/01.png")}, library.stored(), 32)),
              QRect(9, 1, 14, 30))
        << "the barely visible corner widens the crop, now too large to grow";
    library.addImage("Tops/02.png", layer(full, QRect(10, 20, 4, 10), Qt::red));

    const QImage single = itemPreview({library.stored("Tops/02.png")}, library.stored(), 32);
    ASSERT_EQ(single.size(), QSize(32, 32));
    EXPECT_EQ(drawnPart(single), QRect(10, 1, 12, 30)) << "4 x 10 grown three times, centred";
    EXPECT_EQ(single.pixelColor(10, 1), QColor(Qt::red)) << "no smoothing at the edge";

    // Hair: the back image is drawn first, the front one over it.
    library.addImage("Hair/Long/002.png", layer(full, QRect(0, 0, 40, 60), Qt::darkRed));
    library.addImage("Hair/Long/001.png", layer(full, QRect(0, 0, 20, 60), Qt::yellow));
    const QImage hair =
        itemPreview({library.stored("Hair/Long/002.png"), library.stored("gone.png"),
                     library.stored("Hair/Long/001.png")},
                    library.stored(), 30);
    EXPECT_EQ(drawnPart(hair), QRect(5, 0, 20, 30)) << "40 x 60 shrunk to fit, centred";
    EXPECT_EQ(hair.pixelColor(8, 15), QColor(Qt::yellow));
    EXPECT_EQ(hair.pixelColor(22, 15), QColor(Qt::darkRed));

    library.addImage("Tops/empty.png", layer(full, QRect(), Qt::red));
    for (const QStringList& nothing : {QStringList(), QStringList{library.stored("Tops/empty.png")},
                                       QStringList{library.stored("gone.png")}}) {
        const QImage blank = itemPreview(nothing, library.stored(), 16, qRgb(1, 2, 3));
        EXPECT_EQ(blank.size(), QSize(16, 16));
        EXPECT_EQ(blank.pixel(0, 0), qRgb(1, 2, 3));
        EXPECT_EQ(blank.pixel(15, 15), qRgb(1, 2, 3));
    }
}

} // namespace
} // namespace brindo::test
