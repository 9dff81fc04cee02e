#include "render/picture_export.h"

#include <gtest/gtest.h>

namespace brindo {
namespace {

QImage decoded(const QByteArray& bytes) {
    QImage image;
    image.loadFromData(bytes);
    return image;
}

// A transparent picture keeps its alpha in a PNG and an opaque one stays
// opaque; a BMP is always opaque. Each text goes under its own key, and an
// empty one is left out.
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

} // namespace
} // namespace brindo
