#include "render/blend.h"
#include "support/test_images.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace brindo {
namespace {

// Every alpha over every background, runs of every length, clipped places and row limits.
TEST(BlendTest, SourceOverGivesQPaintersPixelsForEveryAlphaAndPlace) {
    QImage picture(256, 11, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < picture.height(); ++y) {
        for (int alpha = 0; alpha < 256; ++alpha) {
            const int x = (alpha * 7 + y * 13) % 256; // runs of mixed alpha in every row
            const int colour = (alpha * (y + 1)) % (alpha + 1);
            picture.setPixel(x, y,
                             alpha == 0 || (y == 3 && x < 100)
                                 ? 0
                                 : qRgba(colour, alpha - colour / 2, alpha, alpha));
        }
    }
    for (int x = 40; x < 80; ++x) {
        picture.setPixel(x, 5, qRgb(9, 8, 7)); // an opaque run
    }
    const Coverage coverage = coverageOf(picture);
    // An opaque canvas, and a clear one whose pixels have every alpha.
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage background(270, 14, format);
        for (int y = 0; y < background.height(); ++y) {
            for (int x = 0; x < background.width(); ++x) {
                background.setPixel(x, y,
                                    qPremultiply(qRgba((x * 3) % 256, (x + y * 40) % 256,
                                                       255 - x % 256, (x * 11 + y) % 256)));
            }
        }
        for (const QPoint at : {QPoint(0, 0), QPoint(5, 2), QPoint(-3, -4), QPoint(20, 9)}) {
            for (const auto& [from, to] : {std::pair{0, 14}, std::pair{3, 7}}) {
                QImage expected = background;
                QPainter painter(&expected);
                painter.setClipRect(0, from, expected.width(), to - from);
                painter.drawImage(at, picture);
                painter.end();
                QImage blended = background;
                blendPicture(blended, picture, coverage, at, from, to);
                EXPECT_EQ(blended, expected)
                    << format << " at " << at.x() << "," << at.y() << " rows " << from;
            }
        }
    }
}

} // namespace
} // namespace brindo
