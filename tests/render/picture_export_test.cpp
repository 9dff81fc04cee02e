#include "render/picture_export.h"
#include "support/temp_library.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace brindo {
namespace {

QImage decoded(const QByteArray& bytes) {
    QImage image;
    image.loadFromData(bytes);
    return image;
}

// Every kind of row comes back exactly under any filter; each non-empty text under its key.
TEST(PictureExportTest, PngFilesHoldExactlyThePixelsAndTextsEncoded) {
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
        const bool alpha = picture.hasAlphaChannel();
        const QImage png =
            decoded(encodePng(picture, {"[Brindo]\r\n", alpha ? "Tops: Ann\n" : QString()}));
        EXPECT_EQ(png.hasAlphaChannel(), alpha);
        EXPECT_EQ(png.convertToFormat(picture.format()), picture) << format;
        EXPECT_EQ(png.text("BrindoOutfit"), "[Brindo]\r\n");
        EXPECT_EQ(png.textKeys().size(), alpha ? 2 : 1);
        EXPECT_EQ(png.text("Credits"), alpha ? "Tops: Ann\n" : "");
    }
    QImage premultiplied(1, 1, QImage::Format_ARGB32_Premultiplied);
    premultiplied.setPixel(0, 0, qPremultiply(qRgba(255, 0, 0, 100)));
    EXPECT_EQ(decoded(encodePng(premultiplied, {})).pixel(0, 0), qRgba(255, 0, 0, 100));
    EXPECT_FALSE(decoded(encodeBmp(premultiplied)).hasAlphaChannel()) << "a BMP is always opaque";
}

QByteArray bmpByQt(QImage picture) {
    picture.convertTo(QImage::Format_RGB32);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(picture);
    return bytes;
}

// BMP files, written a few rows at a time, are Qt's bytes for any padding, format and size.
TEST(PictureExportTest, BmpFilesAreQtsOwnByteForByte) {
    const test::TempLibrary folder;
    for (const QSize size :
         {QSize(1, 1), QSize(2, 3), QSize(3, 2), QSize(4, 1), QSize(5, 7), QSize(1023, 400)}) {
        for (const QImage::Format format :
             {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            QImage picture(size, format);
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    picture.setPixel(x, y, qRgba(x * 7, y * 5, (x ^ y) & 0xFF, 255 - (x & 0x7F)));
                }
            }
            const QByteArray expected = bmpByQt(picture);
            const QString name = QStringLiteral("%1x%2.bmp").arg(size.width()).arg(size.height());
            EXPECT_EQ(encodeBmp(picture), expected) << name.toStdString();
            ASSERT_TRUE(exportPicture(picture, folder.native(name)).ok());
            QFile written(folder.native(name));
            ASSERT_TRUE(written.open(QIODevice::ReadOnly));
            EXPECT_EQ(written.readAll(), expected) << name.toStdString();
        }
    }
    EXPECT_FALSE(exportPicture(QImage(), folder.native("none.bmp")).ok());
    EXPECT_FALSE(QFile::exists(folder.native("none.bmp")));
}

} // namespace
} // namespace brindo
