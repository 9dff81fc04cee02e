#include "render/png_picture.h"
#include "support/temp_library.h"
#include "support/test_images.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace brindo {
namespace {

using test::PngColour;
using test::PngKind;

struct Fixture {
    test::TempLibrary library;
    QImage surface{9, 7, QImage::Format_RGB32};

    Fixture() { surface.fill(Qt::white); }

    QString write(const QString& name, const QByteArray& bytes) const {
        library.addFile(name, bytes);
        return library.stored(name);
    }
};

// What the picture looks like drawn onto white by a reference path.
QImage expectedOnWhite(const QImage& picture) {
    QImage expected(picture.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.drawImage(0, 0, picture);
    return expected;
}

TEST(PNGPictureTest, DecodesEveryColourTypeBitDepthAndInterlacing) {
    Fixture fixture;
    const QImage picture = test::samplePicture();
    const PngKind kinds[] = {
        {PngColour::Rgba, 8, false, false},      {PngColour::Rgba, 16, false, false},
        {PngColour::Rgba, 8, true, false},       {PngColour::Rgba, 16, true, false},
        {PngColour::GreyAlpha, 8, false, false}, {PngColour::GreyAlpha, 16, true, false},
        {PngColour::Palette, 8, false, true},    {PngColour::Palette, 4, true, true},
        {PngColour::Rgb, 8, false, true},        {PngColour::Rgb, 16, false, false},
        {PngColour::Grey, 8, false, true},       {PngColour::Grey, 16, true, false},
        {PngColour::Grey, 1, false, false},      {PngColour::Grey, 2, true, false},
    };
    for (const PngKind& kind : kinds) {
        SCOPED_TRACE(testing::Message() << "colour " << static_cast<int>(kind.colour) << " depth "
                                        << kind.bitDepth << " interlaced " << kind.interlaced);
        const QByteArray png = test::encodePng(picture, kind);
        const QString path = fixture.write(QStringLiteral("kind.png"), png);
        QImage reference;
        ASSERT_TRUE(reference.loadFromData(png, "png"));

        PNGPicture component;
        ASSERT_EQ(component.LoadFile(path), kLoaded);
        EXPECT_EQ(component.ImageWidth(), picture.width());
        EXPECT_EQ(component.ImageHeight(), picture.height());
        QImage surface = fixture.surface;
        component.DrawTo(&surface, 0, 0);
        EXPECT_LE(test::maxChannelDifference(surface, expectedOnWhite(reference)), 1);
        if (kind.colour == PngColour::Rgba) {
            EXPECT_LE(test::maxChannelDifference(surface, expectedOnWhite(picture)), 1);
        }
    }
}

TEST(PNGPictureTest, BlendsWithPerPixelAlphaAtThePosition) {
    Fixture fixture;
    QImage half(2, 1, QImage::Format_ARGB32);
    half.setPixel(0, 0, qRgba(0, 0, 0, 128));
    half.setPixel(1, 0, qRgba(0, 0, 0, 0));
    PNGPicture component;
    ASSERT_EQ(
        component.LoadFile(fixture.write(QStringLiteral("half.png"), test::encodePng(half, {}))),
        kLoaded);
    QImage surface(4, 2, QImage::Format_RGB32);
    surface.fill(qRgb(200, 100, 0));
    component.DrawTo(&surface, 1, 1);
    EXPECT_EQ(surface.pixel(0, 1), qRgb(200, 100, 0));
    EXPECT_NEAR(qRed(surface.pixel(1, 1)), 100, 1);
    EXPECT_NEAR(qGreen(surface.pixel(1, 1)), 50, 1);
    EXPECT_EQ(surface.pixel(2, 1), qRgb(200, 100, 0)) << "transparent pixels keep the surface";
    EXPECT_EQ(surface.pixel(1, 0), qRgb(200, 100, 0));
}

TEST(PNGPictureTest, FailedLoadsLeaveNoCurrentImageAndDrawNothing) {
    Fixture fixture;
    const QByteArray good = test::encodePng(test::samplePicture(), {});
    QByteArray badCrc = good;
    badCrc[good.indexOf("IDAT") + 6] = static_cast<char>(badCrc[good.indexOf("IDAT") + 6] ^ 0x55);
    const QByteArray bodies[] = {
        QByteArray(),
        QByteArray("not a picture at all"),
        good.left(good.size() / 2),
        good.left(8),
        badCrc,
        QByteArray(5000, '\0'),
    };
    const QImage untouched = fixture.surface;

    PNGPicture component;
    QImage surface = fixture.surface;
    component.DrawTo(&surface, 0, 0);
    EXPECT_EQ(surface, untouched) << "nothing is drawn before any load";

    int index = 0;
    for (const QByteArray& body : bodies) {
        SCOPED_TRACE(index);
        const QString path = fixture.write(QStringLiteral("bad%1.png").arg(index++), body);
        ASSERT_EQ(component.LoadFile(fixture.write(QStringLiteral("good.png"), good)), kLoaded);
        EXPECT_NE(component.LoadFile(path), kLoaded);
        EXPECT_EQ(component.ImageWidth(), 0);
        EXPECT_EQ(component.ImageHeight(), 0);
        component.DrawTo(&surface, 0, 0);
        EXPECT_EQ(surface, untouched);
    }
    EXPECT_EQ(component.LoadFile(fixture.library.stored(QStringLiteral("missing.png"))),
              kFileNotFound);
    EXPECT_EQ(component.LoadFile(QString()), kFileNotFound);
    EXPECT_EQ(component.LoadFile(fixture.library.stored()), kNotDecodable) << "a folder";
}

} // namespace
} // namespace brindo
