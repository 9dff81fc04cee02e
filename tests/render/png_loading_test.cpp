#include "render/blend.h"
#include "render/png/pixel_memory.h"
#include "render/png/png_decode.h"
#include "render/png/png_loading.h"
#include "render/png/png_rows.h"
#include "support/file_bytes.h"
#include "support/temp_library.h"
#include "support/test_images.h"

#include <QPainter>
#include <QRgba64>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace brindo {
namespace {

using test::pngChunk;
using test::PngColour;
using test::pngImageData;
using test::PngKind;

QImage qtPixels(const QByteArray& png) {
    return QImage::fromData(png, "png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The start of a file of 2 x 2 pixels of 8-bit samples.
QByteArray head(PngColour colour) {
    return test::pngHeader({2, 2}, {colour});
}

const QByteArray kEnd = pngChunk("IEND", {});
const QRgb kBlue = qRgb(0, 0, 255);
const QByteArray kRgbaRows("\0abcdefgh\2ijklmnop", 18); // filter types 0 and 2
const QByteArray kRgbaStream = qCompress(kRgbaRows).mid(4);

TEST(PngDecodeTest, EveryColourWithEveryAlphaIsPremultipliedAsQtDoes) {
    QImage all(256, 256, QImage::Format_ARGB32);
    for (int alpha = 0; alpha < 256; ++alpha) {
        for (int value = 0; value < 256; ++value) {
            all.setPixel(value, alpha, qRgba(value, 255 - value, value / 3, alpha));
            // Palette entries are premultiplied one by one.
            ASSERT_EQ(png::premultiplied(value, 255 - value, value / 3, alpha),
                      qPremultiply(all.pixel(value, alpha)));
        }
    }
    const auto decoded = decodePngData(test::encodePng(all, {}));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->image, all.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(decoded->coverage.visible, QRect(0, 1, 256, 255)) << "the first row is clear";
    EXPECT_EQ(decoded->coverage, coverageOf(decoded->image));
}

// Runs of equal rows, clear and coloured; filtered with every type in turn,
// some come as "None" or "Up" rows that repeat the row above.
QImage repeatedRows() {
    QImage picture(7, 12, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 6; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgba(40 * x, 200, 30, y < 9 ? 255 : 128));
        }
    }
    return picture;
}

TEST(PngDecodeTest, EveryKindUpToEightBitsInterlacedOrNotIsDecodedAsQtReadsIt) {
    // The sizes leave some interlace passes empty, or all but the first.
    const QImage pictures[] = {test::samplePicture(1, 1), test::samplePicture(3, 2),
                               test::samplePicture(), test::samplePicture(17, 11), repeatedRows()};
    for (const QImage& picture : pictures) {
        for (const bool interlaced : {false, true}) {
            for (int depth = 1; depth <= 8; depth *= 2) {
                for (const PngKind& kind :
                     {PngKind{PngColour::Grey, depth, interlaced, depth == 4},
                      PngKind{PngColour::Palette, depth, interlaced, depth != 2},
                      PngKind{PngColour::Rgb, 8, interlaced, depth == 2},
                      PngKind{PngColour::GreyAlpha, 8, interlaced, false},
                      PngKind{PngColour::Rgba, 8, interlaced, false},
                      // Runs of Paeth rows, which are unfiltered two at a time.
                      PngKind{PngColour::Rgba, 8, interlaced, false, 4}}) {
                    SCOPED_TRACE(testing::Message()
                                 << picture.width() << "x" << picture.height() << " colour type "
                                 << static_cast<int>(kind.colour) << ", " << kind.bitDepth
                                 << " bits, filter " << kind.filter
                                 << (interlaced ? ", interlaced" : ""));
                    const QByteArray png = test::encodePng(picture, kind);
                    const auto decoded = decodePngData(png);
                    ASSERT_TRUE(decoded.has_value());
                    EXPECT_EQ(decoded->image, qtPixels(png));
                    EXPECT_EQ(decoded->coverage, coverageOf(qtPixels(png)));
                }
            }
        }
    }
}

// Expected pixels come from the samples: Qt's reader garbles 16-bit RGB with a key colour.
TEST(PngDecodeTest, SixteenBitSamplesAreRoundedAndTheirTransparentColourComparedInFull) {
    const QList<quint32> key{0x1234, 0xABCD, 0x00FF};
    // The key colour, colours a low byte or channel off it, and samples whose high byte misrounds.
    const QList<QList<quint32>> colours{
        {0x1234, 0xABCD, 0x00FF, 0xFFFF}, {0x1235, 0xABCD, 0x00FF, 0x8000},
        {0x1234, 0xABCC, 0x00FF, 0x0080}, {0x1234, 0xABCD, 0x01FF, 0x0000},
        {0x0080, 0x017F, 0xFF80, 0x7FFF}, {0xFFFF, 0x0000, 0x80FF, 0x00FF},
        {0x3456, 0x0180, 0xFE7F, 0xFFFF},
    };
    const QSize size(9, 7);
    // Which of red, green, blue and alpha each colour type holds.
    const std::pair<PngColour, QList<int>> cases[] = {{PngColour::Grey, {0}},
                                                      {PngColour::Rgb, {0, 1, 2}},
                                                      {PngColour::GreyAlpha, {0, 3}},
                                                      {PngColour::Rgba, {0, 1, 2, 3}}};
    for (const auto& [colourType, channels] : cases) {
        const bool grey = channels.size() < 3;
        for (const bool interlaced : {false, true}) {
            for (const bool keyed : {false, channels.last() != 3}) {
                QList<quint32> samples;
                QImage expected(size, QImage::Format_ARGB32_Premultiplied);
                for (int i = 0; i < size.width() * size.height(); ++i) {
                    const QList<quint32>& colour = colours.at((i * 3 + i / 9) % colours.size());
                    for (const int channel : channels) {
                        samples.append(colour.at(channel));
                    }
                    const auto at = [&](int channel) {
                        return static_cast<quint16>(colour.at(grey && channel < 3 ? 0 : channel));
                    };
                    const bool clear =
                        keyed && at(0) == key[0] && (grey || (at(1) == key[1] && at(2) == key[2]));
                    const QRgba64 wide = QRgba64::fromRgba64(at(0), at(1), at(2),
                                                             channels.last() == 3 ? at(3) : 0xFFFF);
                    expected.setPixel(i % size.width(), i / size.width(),
                                      clear ? 0 : qPremultiply(wide).toArgb32());
                }
                SCOPED_TRACE(testing::Message() << static_cast<int>(colourType) << " interlaced "
                                                << interlaced << " keyed " << keyed);
                const auto decoded = decodePngData(test::encodePngSamples(
                    size, {colourType, 16, interlaced, keyed}, samples, grey ? key.first(1) : key));
                ASSERT_TRUE(decoded.has_value());
                EXPECT_EQ(decoded->image, expected);
                EXPECT_EQ(decoded->coverage, coverageOf(expected));
            }
        }
    }
}

// The visible part bounds what is drawn; the opaque edge-to-edge band hides what is below.
TEST(PngDecodeTest, CoverageOfAnEmptyAFullyOpaqueAndAOnePixelPicture) {
    QImage empty(6, 5, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    QImage onePixel = empty;
    onePixel.setPixel(4, 2, qRgba(10, 20, 30, 255));
    QImage opaque = empty;
    opaque.fill(qRgb(1, 2, 3));
    const std::tuple<QImage, QRect, QRect> expected[] = {
        {empty, QRect(), QRect()},
        {opaque, QRect(0, 0, 6, 5), QRect(0, 0, 6, 5)},
        {onePixel, QRect(4, 2, 1, 1), QRect()},
        {onePixel.copy(4, 2, 1, 1), QRect(0, 0, 1, 1), QRect(0, 0, 1, 1)},
    };
    for (const auto& [image, visible, band] : expected) {
        const auto decoded = decodePngData(test::encodePng(image, {}));
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->coverage, coverageOf(image));
        EXPECT_EQ(decoded->coverage.visible, visible);
        EXPECT_EQ(decoded->coverage.opaque, band);
        ASSERT_EQ(decoded->coverage.rows.size(), static_cast<std::size_t>(image.height()));
    }
    EXPECT_EQ(coverageOf(onePixel).rows[2], (RowSpan{4, 4, true}));
    EXPECT_TRUE(coverageOf(onePixel).rows[1].empty());
    // A half-transparent pixel makes its row visible but not solid.
    onePixel.setPixel(1, 2, qPremultiply(qRgba(10, 20, 30, 128)));
    EXPECT_EQ(coverageOf(onePixel).rows[2], (RowSpan{1, 4, false}));
}

TEST(PngDecodeTest, ChunksAroundAndBetweenTheImageDataAreReadAsQtReadsThem) {
    // Gamma and sRGB leave the samples as they are.
    const auto decoded =
        decodePngData(head(PngColour::Rgba) + pngChunk("sRGB", QByteArray(1, '\0')) +
                      pngChunk("gAMA", QByteArray("\0\0\xB1\x8F", 4)) +
                      pngChunk("IDAT", kRgbaStream.left(7)) + pngChunk("IDAT", {}) +
                      pngChunk("IDAT", kRgbaStream.mid(7)) + pngChunk("tEXt", "Comment") + kEnd);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->image, qtPixels(head(PngColour::Rgba) + pngImageData(kRgbaRows) + kEnd));
}

TEST(PngDecodeTest, DamagedAndDoubtfulFilesAreLeftToQtWithoutReadingPastTheEnd) {
    const QByteArray good = test::encodePng(test::samplePicture(), {});
    ASSERT_TRUE(decodePngData(good).has_value());
    for (qsizetype length = 0; length < good.size(); ++length) {
        // A copy of just the prefix, so that the address sanitizer sees a read past it.
        EXPECT_FALSE(decodePngData(QByteArray(good.constData(), length)).has_value()) << length;
    }
    for (qsizetype at = 0; at < good.size(); ++at) {
        QByteArray flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
        EXPECT_FALSE(decodePngData(flipped).has_value()) << "byte " << at;
    }

    const auto plte = [](int entries) {
        return pngChunk("PLTE", QByteArray(qsizetype{3} * entries, 'p'));
    };
    const auto trns = [](const QByteArray& bytes) { return pngChunk("tRNS", bytes); };
    const QByteArray rgba = head(PngColour::Rgba);
    const QByteArray palette = head(PngColour::Palette);
    const QByteArray indices = pngImageData(QByteArray("\0\0\1\0\2\3", 6));
    ASSERT_TRUE(decodePngData(rgba + pngImageData(kRgbaRows) + kEnd).has_value());
    ASSERT_TRUE(decodePngData(palette + plte(4) + trns("abcd") + indices + kEnd).has_value());
    const QByteArray refused[] = {
        rgba + pngImageData(kRgbaRows.chopped(1)) + kEnd,                      // a byte short
        rgba + pngImageData(QByteArray(kRgbaRows).replace(9, 1, "\5")) + kEnd, // no filter 5
        rgba + pngChunk("IDAT", kRgbaStream.left(7)) + pngChunk("tEXt", "a") +
            pngChunk("IDAT", kRgbaStream.mid(7)) + kEnd,              // the image data apart
        rgba + pngChunk("ABCD", {}) + pngImageData(kRgbaRows) + kEnd, // unknown, critical
        rgba + pngImageData(kRgbaRows),                               // no end
        palette + plte(3) + indices + kEnd,                           // index 3 unset
        palette + plte(4) + trns("abcde") + indices + kEnd,           // alphas to spare
        palette + trns("abcd") + plte(4) + indices + kEnd,            // alphas first
        // A grey key above 255, which no 8-bit sample matches, not even 'a'.
        head(PngColour::Grey) + trns(QByteArray("\1a", 2)) +
            pngImageData(QByteArray("\0ab\0cd", 6)) + kEnd,
    };
    for (const QByteArray& png : refused) {
        EXPECT_FALSE(decodePngData(png).has_value()) << &png - refused;
    }
}

// A file that claims the size and kind and holds only the start of its image data.
QByteArray bombPng(QSize size, const PngKind& kind) {
    return test::pngHeader(size, kind) + pngImageData(QByteArray(64 << 10, '\0')) + kEnd;
}

TEST(PngLoadingTest, LargePicturesLoadUpToTheLimitBeyondWhichTheyAreTooLarge) {
    test::TempLibrary library;
    const int side = kLargestPngSide;
    const struct {
        QSize size;
        bool fits = false;
    } cases[] = {{{8000, 8000}, true},   {{side, 3}, true},      {{3, side}, true},
                 {{side + 1, 3}, false}, {{3, side + 1}, false}, {{16385, 16384}, false}};
    for (const auto& [size, fits] : cases) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        library.addFile("large.png", fits ? test::encodeFlatPng(size.width(), size.height(), kBlue)
                                          : bombPng(size, {}));
        const LoadedPicture loaded = loadPicture(library.stored("large.png"), {});
        EXPECT_EQ(loaded.result, fits ? LoadResult::Loaded : LoadResult::TooLarge);
        EXPECT_EQ(loaded.tooLarge, fits ? QSize() : size);
        EXPECT_EQ(loaded.image.size(), fits ? size : QSize(0, 0));
        EXPECT_EQ(loaded.coverage.visible, loaded.image.rect());
        if (fits) {
            EXPECT_EQ(loaded.image.pixel(size.width() - 1, size.height() - 1), kBlue);
        }
    }
}

// A header of 16384 x 16384 16-bit RGBA pixels would take 3 GiB to decode.
TEST(PngLoadingTest, AHugeHeaderWithLittleDataIsRefusedWithoutTakingItsMemory) {
    test::TempLibrary library;
    const qint64 peakBefore = test::memoryBytes("VmPeak:");
    for (const bool interlaced : {false, true}) {
        const QByteArray bomb = bombPng({16384, 16384}, {PngColour::Rgba, 16, interlaced, false});
        EXPECT_FALSE(decodePngData(bomb).has_value());
        library.addFile("bomb.png", bomb);
        EXPECT_EQ(loadPicture(library.stored("bomb.png"), {}).result, LoadResult::NotDecodable);
    }
    if (peakBefore > 0) {
        EXPECT_LT(test::memoryBytes("VmPeak:") - peakBefore, qint64{256} << 20);
    }
}

// Buffers given back are reused, but never for a larger request.
TEST(PixelMemoryTest, BuffersAreWritableApartAndNeverSmallerThanAsked) {
    const std::size_t layer = std::size_t{1023} * 1972 * 4;
    givePixelMemoryBack(takePixelMemory(std::size_t{3} << 20)); // kept for the next request
    std::vector<unsigned char*> held;
    for (int i = 0; i < 3; ++i) {
        held.push_back(static_cast<unsigned char*>(takePixelMemory(layer)));
        ASSERT_NE(held.back(), nullptr);
        std::memset(held.back(), i, layer);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(held[i][layer - 1], i);
        givePixelMemoryBack(held[i]);
    }
}

// Each kind is drawn source over onto white at (1, 2), where the picture's
// clear margin shows its place; a failed load gives nothing to draw.
TEST(PngLoadingTest, KindsThatRealFilesUseDrawAsQtReadsThemAndFailedLoadsGiveNoPicture) {
    test::TempLibrary library;
    const QImage picture = test::samplePicture().copy(-1, -2, 10, 9);
    library.addFile("text.png", "not a picture");
    library.addFile("half.png", test::encodePng(picture, {}).left(100));
    const test::PngKind kinds[] = {
        {PngColour::Palette, 4, true, true}, {PngColour::Grey, 8, false, true},
        {PngColour::Rgba, 16, false, false}, {PngColour::Rgba, 8, true, false},
        {PngColour::Rgba, 8, false, false},
    };
    const QString failing[] = {library.stored("text.png"), library.stored("half.png"),
                               library.stored(), library.stored("missing.png"), QString()};
    const LoadResult results[] = {LoadResult::NotDecodable, LoadResult::NotDecodable,
                                  LoadResult::FileNotFound, LoadResult::FileNotFound,
                                  LoadResult::FileNotFound}; // a folder is no image file
    QImage white(12, 12, QImage::Format_RGB32);
    white.fill(Qt::white);
    for (int i = 0; i < 5; ++i) {
        const QByteArray png = test::encodePng(picture, kinds[i]);
        library.addFile("kind.png", png);
        const LoadedPicture loaded = loadPicture(library.stored("kind.png"), QString());
        ASSERT_EQ(loaded.result, LoadResult::Loaded) << i;
        QImage expected = white;
        QPainter(&expected).drawImage(1, 2, qtPixels(png));
        QImage surface = white;
        blendPicture(surface, loaded.image, loaded.coverage, {1, 2}, 0, surface.height());
        EXPECT_EQ(surface, expected) << i;

        const LoadedPicture failed = loadPicture(failing[i], QString());
        EXPECT_EQ(failed.result, results[i]) << i;
        EXPECT_TRUE(failed.image.isNull()) << i;
    }
}

} // namespace
} // namespace brindo
