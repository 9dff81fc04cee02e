// The PNG decoder never reads outside the bytes, and every picture it gives
// is the one Qt's reader gives, pixel for pixel, with the right visible part
// (16-bit ones are compared with pixels made from the samples: expectedWide).
//
// An input that starts like a PNG file is used as one with its chunk checksums
// made right; any other gives the kind and raw rows of a well-formed file, so
// that changes reach past the checksums to the unfiltering and the colours.

#include "fuzz_support.h"
#include "render/png/png_decode.h"
#include "support/test_images.h"

#include <QImage>
#include <QRgba64>
#include <QtEndian>
#include <cstring>
#include <libdeflate.h>
#include <span>
#include <utility>

namespace {

using brindo::fuzz::check;
using brindo::fuzz::InputReader;
using brindo::test::pngChunk;
using brindo::test::PngColour;

quint32 crcOf(const char* typeAndData, qsizetype size) {
    return static_cast<quint32>(libdeflate_crc32(0, typeAndData, static_cast<std::size_t>(size)));
}

// Sets the checksum of every chunk that lies wholly inside the file.
QByteArray withRightChecksums(QByteArray png) {
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto length =
            qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(png.constData() + at));
        if (length > static_cast<quint32>(png.size() - at - 12)) {
            break;
        }
        const auto size = static_cast<qsizetype>(length);
        qToBigEndian(crcOf(png.constData() + at + 4, size + 4), png.data() + at + 8 + size);
        at += 12 + size;
    }
    return png;
}

// The interlace passes: first column and row, and the steps between them.
struct Pass {
    int left;
    int top;
    int columnStep;
    int rowStep;
};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr Pass kEveryPixel[] = {{0, 0, 1, 1}};

// A well-formed file of any kind whose every byte comes from the input.
QByteArray builtFile(InputReader& input) {
    struct Kind {
        PngColour colour = PngColour::Grey;
        int channels = 1;
        QList<int> bitDepths;
    };
    const Kind kinds[] = {{PngColour::Grey, 1, {1, 2, 4, 8, 16}},
                          {PngColour::Rgb, 3, {8, 16}},
                          {PngColour::Palette, 1, {1, 2, 4, 8}},
                          {PngColour::GreyAlpha, 2, {8, 16}},
                          {PngColour::Rgba, 4, {8, 16}}};
    const int width = 1 + input.number(40);
    const int height = 1 + input.number(12);
    const Kind& kind = kinds[input.number(5)];
    const int depth = kind.bitDepths.at(input.number(static_cast<int>(kind.bitDepths.size())));
    const bool interlaced = input.flag();
    QByteArray png = brindo::test::pngHeader({width, height}, {kind.colour, depth, interlaced});
    const auto bytes = [&input](int count) {
        QByteArray taken;
        for (int i = 0; i < count; ++i) {
            taken.append(static_cast<char>(input.number(256)));
        }
        return taken;
    };
    if (kind.colour == PngColour::Palette) {
        const int entries = 1 + input.number(1 << depth);
        png += pngChunk("PLTE", bytes(3 * entries));
        if (input.flag()) {
            png += pngChunk("tRNS", bytes(1 + input.number(entries)));
        }
    } else if (kind.channels != 2 && kind.channels != 4 && input.flag()) {
        QByteArray key; // now and then a sample that the bit depth cannot hold
        for (int sample = 0; sample < kind.channels; ++sample) {
            const int value =
                depth < 16 && input.number(8) == 0 ? 1 << depth : input.number(1 << depth);
            key.append(static_cast<char>(value >> 8)).append(static_cast<char>(value));
        }
        png += pngChunk("tRNS", key);
    }
    QByteArray rows;
    for (const Pass& pass : interlaced ? std::span<const Pass>(kAdam7) : kEveryPixel) {
        const int columns = (width - pass.left + pass.columnStep - 1) / pass.columnStep;
        for (int y = pass.top; y < height && columns > 0; y += pass.rowStep) {
            rows.append(static_cast<char>(input.number(6))); // 5: no such filter type
            rows += bytes((columns * kind.channels * depth + 7) / 8);
        }
    }
    return png + brindo::test::pngImageData(rows) + pngChunk("IEND", {});
}

// The chunks of a decoded file up to IEND, without its tRNS chunk, and that
// chunk's data.
std::pair<QByteArray, QByteArray> withoutTransparency(const QByteArray& png) {
    QByteArray rest = png.first(8);
    QByteArray transparency;
    QByteArray type;
    for (qsizetype at = 8; type != "IEND";) {
        const auto length = static_cast<qsizetype>(
            qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(png.constData() + at)));
        type = png.sliced(at + 4, 4);
        if (type == "tRNS") {
            transparency = png.sliced(at + 8, length);
        } else {
            rest += png.sliced(at, 12 + length);
        }
        at += 12 + length;
    }
    return {rest, transparency};
}

// The pixels of a 16-bit file, made independently of the decoder: Qt reads
// the samples without the transparent colour, which its reader gets wrong
// for some kinds, into a 64-bit image; pixels of that colour, compared at 16
// bits, are cleared, the others premultiplied at 16 bits and reduced to 8.
QImage expectedWide(const QByteArray& png) {
    const std::pair<QByteArray, QByteArray> parts = withoutTransparency(png);
    const QByteArray& key = parts.second;
    QImage samples;
    check(samples.loadFromData(parts.first, "png"), "Qt reads every 16-bit file decoded here");
    samples.convertTo(QImage::Format_RGBA64);
    QImage expected(samples.size(), QImage::Format_ARGB32_Premultiplied);
    const auto keySample = [&key](qsizetype index) {
        return qFromBigEndian<quint16>(key.constData() + 2 * (key.size() == 2 ? 0 : index));
    };
    for (int y = 0; y < samples.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgba64*>(samples.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(expected.scanLine(y));
        for (int x = 0; x < samples.width(); ++x) {
            const bool keyed = !key.isEmpty() && in[x].red() == keySample(0) &&
                               in[x].green() == keySample(1) && in[x].blue() == keySample(2);
            out[x] = keyed ? 0 : qPremultiply(in[x]).toArgb32();
        }
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brindo;
    using namespace brindo::fuzz;
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    QByteArray file;
    if (bytes.startsWith("\x89")) {
        file = withRightChecksums(bytes.toByteArray());
    } else {
        InputReader input(bytes);
        file = builtFile(input);
    }
    // A copy of exactly the file's bytes, so that a read past them is caught.
    const QByteArray exact(file.constData(), file.size());
    const auto decoded = decodePngData(exact);
    if (!decoded) {
        return 0; // left to Qt's reader
    }
    const QImage& image = decoded->image;
    check(image.format() == QImage::Format_ARGB32_Premultiplied, "premultiplied ARGB32");
    QImage reference;
    if (readPngHeader(exact)->bitDepth == 16) {
        reference = expectedWide(exact);
    } else {
        check(reference.loadFromData(exact, "png"), "Qt reads every file decoded here");
        reference.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    check(reference.size() == image.size(), "the same size as Qt's");
    QRect visible;
    for (int y = 0; y < image.height(); ++y) {
        check(std::memcmp(image.constScanLine(y), reference.constScanLine(y),
                          static_cast<std::size_t>(image.width()) * 4) == 0,
              "the pixels expected");
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                visible |= QRect(x, y, 1, 1);
            }
        }
    }
    check(visible == decoded->coverage.visible, "the visible part holds every visible pixel");
    check(decoded->coverage == coverageOf(image), "each row's span is that of its pixels");
    return 0;
}
