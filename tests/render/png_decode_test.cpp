#include "render/png_decode.h"
#include "render/png_loading.h"
#include "render/png_rows.h"
#include "support/temp_library.h"
#include "support/test_images.h"

#include <QBuffer>
#include <QImageWriter>
#include <QList>
#include <QPainter>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>
#include <libdeflate.h>

namespace brindo {
namespace {

using test::PngColour;
using test::PngKind;

QByteArray chunk(const char* type, const QByteArray& data) {
    QByteArray body = QByteArray(type, 4) + data;
    QByteArray out(4, '\0');
    qToBigEndian(static_cast<quint32>(data.size()), out.data());
    out += body;
    QByteArray crc(4, '\0');
    qToBigEndian(static_cast<quint32>(libdeflate_crc32(0, body.constData(), body.size())),
                 crc.data());
    return out + crc;
}

struct ParsedChunk {
    QByteArray type;
    QByteArray data;
};

QList<ParsedChunk> chunksOf(const QByteArray& png) {
    QList<ParsedChunk> chunks;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto length = static_cast<qsizetype>(
            qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(png.constData() + at)));
        chunks.append({png.mid(at + 4, 4), png.mid(at + 8, length)});
        at += 12 + length;
    }
    return chunks;
}

QByteArray assemble(const QList<ParsedChunk>& chunks) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    for (const ParsedChunk& part : chunks) {
        png += chunk(part.type.constData(), part.data);
    }
    return png;
}

QByteArray zlib(const QByteArray& raw) {
    return qCompress(raw).mid(4); // qCompress puts the length in front
}

QByteArray unzlib(const QByteArray& stream) {
    QByteArray sized(4, '\0');
    qToBigEndian(static_cast<quint32>(1U << 26U), sized.data());
    return qUncompress(sized + stream);
}

int paeth(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

// Re-encodes a non-interlaced 8-bit PNG with every filter type in turn, row
// after row, starting with `firstFilter`.
QByteArray withEveryFilter(const QByteArray& png, int firstFilter = 0) {
    QList<ParsedChunk> chunks = chunksOf(png);
    const QByteArray& header = chunks.front().data;
    const int width = static_cast<int>(qFromBigEndian<quint32>(header.constData()));
    const int channels = QList<int>{1, 0, 3, 1, 2, 0, 4}.at(header.at(9));
    const qsizetype rowBytes = static_cast<qsizetype>(width) * channels;
    QByteArray raw;
    QList<ParsedChunk> rest;
    for (const ParsedChunk& part : chunks) {
        if (part.type == "IDAT") {
            raw += part.data;
        }
    }
    raw = unzlib(raw);
    QByteArray filtered;
    QByteArray prior(rowBytes, '\0');
    for (qsizetype y = 0; y * (rowBytes + 1) < raw.size(); ++y) {
        const QByteArray row = raw.mid(y * (rowBytes + 1) + 1, rowBytes);
        const int filter = static_cast<int>((y + firstFilter) % 5);
        filtered.append(static_cast<char>(filter));
        for (qsizetype i = 0; i < rowBytes; ++i) {
            const int left = i >= channels ? static_cast<uchar>(row[i - channels]) : 0;
            const int above = static_cast<uchar>(prior[i]);
            const int aboveLeft = i >= channels ? static_cast<uchar>(prior[i - channels]) : 0;
            const int predictions[] = {0, left, above, (left + above) / 2,
                                       paeth(left, above, aboveLeft)};
            filtered.append(static_cast<char>(static_cast<uchar>(row[i]) - predictions[filter]));
        }
        prior = row;
    }
    for (const ParsedChunk& part : chunks) {
        if (part.type != "IDAT") {
            rest.append(part);
        } else if (rest.constLast().type != "IDAT") {
            rest.append({"IDAT", zlib(filtered)});
        }
    }
    return assemble(rest);
}

// Pixels of every kind of alpha, in runs long and short, so that both the
// four-pixel steps and the single pixels at the row ends are exercised.
QImage variedPicture(int width = 37, int height = 11) {
    QImage image(width, height, QImage::Format_ARGB32);
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245U + 12345U;
            const int run = (x / 5 + y) % 4;
            const int alpha = run == 0   ? 0
                              : run == 1 ? 255
                                         : static_cast<int>((seed >> 16U) & 0xFFU);
            image.setPixel(x, y,
                           qRgba(static_cast<int>(seed >> 8U) & 0xFF, (x * 7 + y) & 0xFF,
                                 static_cast<int>(seed >> 24U), alpha));
        }
    }
    return image;
}

QImage qtDecode(const QByteArray& png) {
    QImage image;
    if (!image.loadFromData(png, "png")) {
        return {};
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Pixels only: Qt's reader also attaches the file's colour space, resolution
// and texts, which drawing does not use.
bool samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.format() != b.format()) {
        return false;
    }
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y),
                        static_cast<std::size_t>(a.width()) * 4) != 0) {
            return false;
        }
    }
    return true;
}

QRect visibleRect(const QImage& image) {
    QRect visible;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                visible |= QRect(x, y, 1, 1);
            }
        }
    }
    return visible;
}

void expectSameAsQt(const QByteArray& png) {
    const QImage reference = qtDecode(png);
    ASSERT_FALSE(reference.isNull());
    const auto decoded = decodeCommonPng(png);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(samePixels(decoded->image, reference));
    EXPECT_EQ(decoded->visible, visibleRect(reference));
}

TEST(PngDecodeTest, PremultipliesEveryColourAndAlphaAsQtDoes) {
    QImage all(256, 256, QImage::Format_ARGB32);
    for (int alpha = 0; alpha < 256; ++alpha) {
        for (int value = 0; value < 256; ++value) {
            all.setPixel(value, alpha, qRgba(value, 255 - value, value / 3, alpha));
        }
    }
    const QImage expected = all.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&file, "png").write(all));
    const auto decoded = decodeCommonPng(file.data());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(samePixels(decoded->image, expected));
    for (int alpha = 0; alpha < 256; ++alpha) {
        for (int value = 0; value < 256; ++value) {
            ASSERT_EQ(png::premultiplied(value, 255 - value, value / 3, alpha),
                      qPremultiply(qRgba(value, 255 - value, value / 3, alpha)));
        }
    }
}

TEST(PngDecodeTest, EveryCommonKindAndFilterGivesQtsPixels) {
    const PngKind kinds[] = {
        {PngColour::Rgba, 8, false, false},    {PngColour::Rgb, 8, false, false},
        {PngColour::Rgb, 8, false, true},      {PngColour::Grey, 8, false, false},
        {PngColour::Grey, 8, false, true},     {PngColour::GreyAlpha, 8, false, false},
        {PngColour::Palette, 8, false, false}, {PngColour::Palette, 8, false, true},
    };
    for (const int width : {1, 3, 4, 37}) {
        const QImage picture = variedPicture(width);
        for (const PngKind& kind : kinds) {
            for (const int firstFilter : {0, 3}) {
                SCOPED_TRACE(testing::Message() << "colour " << static_cast<int>(kind.colour)
                                                << " tRNS " << kind.transparencyChunk << " width "
                                                << width << " first filter " << firstFilter);
                expectSameAsQt(withEveryFilter(test::encodePng(picture, kind), firstFilter));
            }
        }
    }
}

TEST(PngDecodeTest, QtsOwnFilesAndColourChunksDecodeAlike) {
    const QImage picture = variedPicture(203, 61);
    for (const QImage::Format format :
         {QImage::Format_ARGB32, QImage::Format_RGB32, QImage::Format_Grayscale8}) {
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&file, "png").write(picture.convertToFormat(format)));
        expectSameAsQt(file.data());

        // Gamma and sRGB chunks leave the samples as they are.
        QList<ParsedChunk> chunks = chunksOf(file.data());
        chunks.insert(1, {"gAMA", QByteArray("\x00\x00\xB1\x8F", 4)});
        chunks.insert(1, {"sRGB", QByteArray(1, '\0')});
        const QByteArray tagged = assemble(chunks);
        expectSameAsQt(tagged);
        QImage drawnFast(picture.size(), QImage::Format_RGB32);
        drawnFast.fill(Qt::white);
        QImage drawnQt = drawnFast;
        QPainter(&drawnFast).drawImage(0, 0, decodeCommonPng(tagged)->image);
        QImage qtImage;
        ASSERT_TRUE(qtImage.loadFromData(tagged, "png"));
        QPainter(&drawnQt).drawImage(0, 0, qtImage);
        EXPECT_EQ(drawnFast, drawnQt);
    }
}

TEST(PngDecodeTest, ImageDataSplitOverChunksIsJoined) {
    const QByteArray png = withEveryFilter(test::encodePng(variedPicture(), {}));
    QList<ParsedChunk> chunks = chunksOf(png);
    const QByteArray data = chunks.at(1).data;
    chunks[1].data = data.left(7);
    chunks.insert(2, {"IDAT", QByteArray()});
    chunks.insert(3, {"IDAT", data.mid(7)});
    chunks.insert(4, {"tEXt", QByteArray("Comment\0after the data", 22)});
    expectSameAsQt(assemble(chunks));
}

TEST(PngDecodeTest, FullyTransparentPicturesHaveNothingVisible) {
    QImage clear(6, 3, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const auto decoded = decodeCommonPng(test::encodePng(clear, {}));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(decoded->visible.isEmpty());
    EXPECT_EQ(decoded->image.pixel(5, 2), 0U);
}

// Everything below is not decoded here; Qt's reader decides about it.
TEST(PngDecodeTest, OtherKindsAreLeftToQt) {
    const QImage picture = variedPicture();
    const PngKind others[] = {
        {PngColour::Rgba, 8, true, false},        {PngColour::Rgba, 16, false, false},
        {PngColour::Grey, 1, false, false},       {PngColour::Palette, 4, false, true},
        {PngColour::GreyAlpha, 16, false, false},
    };
    for (const PngKind& kind : others) {
        EXPECT_FALSE(decodeCommonPng(test::encodePng(picture, kind)).has_value())
            << static_cast<int>(kind.colour) << " " << kind.bitDepth;
    }
    QList<ParsedChunk> chunks = chunksOf(test::encodePng(picture, {}));
    chunks.insert(1, {"iCCP", QByteArray("profile\0\0", 9) + zlib("not a real profile")});
    EXPECT_FALSE(decodeCommonPng(assemble(chunks)).has_value()) << "colour profiles";
}

TEST(PngDecodeTest, DamagedFilesAreLeftToQtWithoutReadingPastTheEnd) {
    const QByteArray good = withEveryFilter(test::encodePng(variedPicture(), {}));
    ASSERT_TRUE(decodeCommonPng(good).has_value());
    for (qsizetype length = 0; length < good.size(); ++length) {
        // A copy of just the prefix, so that a read past it is caught by the
        // address sanitizer.
        const QByteArray prefix(good.constData(), length);
        ASSERT_FALSE(decodeCommonPng(prefix).has_value()) << length;
    }
    for (qsizetype at = 0; at < good.size(); ++at) {
        QByteArray flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
        EXPECT_FALSE(decodeCommonPng(flipped).has_value()) << "byte " << at;
    }

    const QList<ParsedChunk> chunks = chunksOf(good);
    const QByteArray rows = unzlib(chunks.at(1).data);
    const auto withData = [&](const QByteArray& data) {
        QList<ParsedChunk> changed = chunks;
        changed[1].data = data;
        return assemble(changed);
    };
    QByteArray badFilter = rows;
    badFilter[0] = 5;
    QList<ParsedChunk> apart = chunks;
    apart.insert(2, {"tEXt", QByteArray("a\0b", 3)});
    apart.insert(3, {"IDAT", QByteArray()});
    QList<ParsedChunk> unknownCritical = chunks;
    unknownCritical.insert(1, {"ABCD", QByteArray()});
    QList<ParsedChunk> noEnd = chunks;
    noEnd.removeLast();
    const QByteArray refused[] = {
        withData(zlib(rows.left(rows.size() - 1))),       // a byte short
        withData(zlib(rows + QByteArray(1, '\0'))),       // a byte over
        withData(chunks.at(1).data + QByteArray(3, 'x')), // data after the stream
        withData(zlib(badFilter)),
        assemble(apart),
        assemble(unknownCritical),
        assemble(noEnd),
    };
    for (const QByteArray& png : refused) {
        EXPECT_FALSE(decodeCommonPng(png).has_value());
    }
}

TEST(PngDecodeTest, DoubtfulPalettesAndTransparencyAreLeftToQt) {
    const QImage picture = variedPicture(5, 2);
    const QList<ParsedChunk> palette =
        chunksOf(test::encodePng(picture, {PngColour::Palette, 8, false, true}));
    const QList<ParsedChunk> grey =
        chunksOf(test::encodePng(picture, {PngColour::Grey, 8, false, true}));
    ASSERT_EQ(palette.at(1).type, "PLTE");
    ASSERT_EQ(palette.at(2).type, "tRNS");

    QList<ParsedChunk> shortPalette = palette; // the data uses every entry
    shortPalette[1].data.chop(3);
    shortPalette[2].data.chop(1);
    QList<ParsedChunk> longTransparency = palette;
    longTransparency[2].data.append('\0');
    QList<ParsedChunk> transparencyFirst = palette;
    transparencyFirst.swapItemsAt(1, 2);
    QList<ParsedChunk> greyKeyAbove255 = grey;
    greyKeyAbove255[1].data = QByteArray("\x01\x00", 2);
    QList<ParsedChunk> transparencyWithAlpha = chunksOf(test::encodePng(picture, {}));
    transparencyWithAlpha.insert(1, {"tRNS", QByteArray(2, '\0')});
    for (const auto& chunks : {shortPalette, longTransparency, transparencyFirst, greyKeyAbove255,
                               transparencyWithAlpha}) {
        EXPECT_FALSE(decodeCommonPng(assemble(chunks)).has_value());
    }
}

TEST(PngDecodeTest, FilesFarLargerThanTheirPictureAreStreamedToQt) {
    test::TempLibrary library;
    const QByteArray png = test::encodePng(variedPicture(), {});
    QList<ParsedChunk> padded = chunksOf(png);
    padded.insert(1, {"zzPd", QByteArray(3 << 20, 'x')}); // an ancillary chunk of 3 MiB
    library.addFile("padded.png", assemble(padded));
    const LoadedPicture picture = decodePngFile(library.native("padded.png"));
    ASSERT_EQ(picture.result, kLoaded);
    EXPECT_TRUE(samePixels(picture.image, qtDecode(png)));
    EXPECT_EQ(picture.visible, picture.image.rect());

    library.addFile("junk.png", png.left(24) + QByteArray(3 << 20, '\0'));
    EXPECT_EQ(decodePngFile(library.native("junk.png")).result, kNotDecodable);
}

} // namespace
} // namespace brindo
