#include "render/picture_export.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace brindo {
namespace {

QImage decoded(const QByteArray& bytes) {
    QImage image;
    image.loadFromData(bytes);
    return image;
}

// A BMP is always opaque; each text goes under its own key, an empty one not at all.
TEST(PictureExportTest, PngKeepsAlphaAndCarriesTheOutfitAndItsCredits) {
    QImage transparent(2, 1, QImage::Format_ARGB32_Premultiplied);
    transparent.setPixel(0, 0, qPremultiply(qRgba(255, 0, 0, 100)));
    transparent.setPixel(1, 0, 0);
    const QImage png =
        decoded(encodePng(transparent, {"[Brindo]\r\nTops1=True\r\n", "Tops: Ann\n"}));
    ASSERT_TRUE(png.hasAlphaChannel());
    EXPECT_EQ(png.pixel(0, 0), qRgba(255, 0, 0, 100));
    EXPECT_EQ(qAlpha(png.pixel(1, 0)), 0);
    EXPECT_EQ(png.text("BrindoOutfit"), "[Brindo]\r\nTops1=True\r\n");
    EXPECT_EQ(png.text("Credits"), "Tops: Ann\n");

    QImage opaque(2, 1, QImage::Format_RGB32);
    opaque.fill(Qt::red);
    const QImage plain = decoded(encodePng(opaque, QStringLiteral("[Brindo]\r\n")));
    EXPECT_FALSE(plain.hasAlphaChannel());
    EXPECT_EQ(plain.textKeys(), QStringList{"BrindoOutfit"});
    EXPECT_FALSE(decoded(encodeBmp(transparent)).hasAlphaChannel());
}

// Flat runs, gradients, noise and every alpha come back exactly, whatever filter each row took.
TEST(PictureExportTest, PngFilesHoldExactlyThePixelsEncoded) {
    QRandomGenerator random(5);
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
        QImage picture(67, 41, format);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const int band = y / 10; // flat, gradient, noise, and flat again
                const QRgb colour = band == 1   ? qRgba(x * 3, y * 5, x + y, x * 4)
                                    : band == 2 ? random.generate()
                                                : qRgba(10, 200, 30, 128);
                picture.setPixel(x, y, colour);
            }
        }
        const QImage decoded =
            QImage::fromData(encodePng(picture, {})).convertToFormat(picture.format());
        EXPECT_EQ(decoded, picture) << format;
    }
}

} // namespace
} // namespace brindo
