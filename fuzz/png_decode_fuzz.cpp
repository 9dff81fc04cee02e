// The PNG decoder of the common kinds: whatever the bytes hold, it never
// reads outside them, and every picture it gives is the one Qt's reader gives
// for the same bytes, pixel for pixel, with the right visible part.
//
// An input that starts like a PNG file is used as one, with every chunk
// checksum made right, so that changes reach past the checksums. Any other
// input gives the size, kind, palette and raw rows of a picture that is then
// written as a well-formed file, so that changes reach the unfiltering and the
// colour conversion past the zlib stream's own checksum.

#include "fuzz_support.h"
#include "render/png/png_decode.h"

#include <QImage>
#include <QtEndian>
#include <cstring>
#include <libdeflate.h>

namespace {

using brindo::fuzz::InputReader;

void appendU32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

quint32 crcOf(const char* typeAndData, qsizetype size) {
    return static_cast<quint32>(libdeflate_crc32(0, typeAndData, static_cast<std::size_t>(size)));
}

void appendChunk(QByteArray& png, const char* type, const QByteArray& data) {
    appendU32(png, static_cast<quint32>(data.size()));
    const QByteArray body = QByteArray(type, 4) + data;
    png += body;
    appendU32(png, crcOf(body.constData(), body.size()));
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

// A well-formed file of 8-bit samples whose every byte comes from the input.
QByteArray builtFile(InputReader& input) {
    constexpr int kColourTypes[] = {0, 2, 3, 4, 6};
    constexpr int kChannels[] = {1, 3, 1, 2, 4};
    const int width = 1 + input.number(40);
    const int height = 1 + input.number(12);
    const int kind = input.number(5);
    QByteArray header;
    appendU32(header, static_cast<quint32>(width));
    appendU32(header, static_cast<quint32>(height));
    header.append(static_cast<char>(8)).append(static_cast<char>(kColourTypes[kind]));
    header.append(3, '\0');
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    const auto bytes = [&input](int count) {
        QByteArray taken;
        for (int i = 0; i < count; ++i) {
            taken.append(static_cast<char>(input.number(256)));
        }
        return taken;
    };
    if (kColourTypes[kind] == 3) {
        const int entries = 1 + input.number(256);
        appendChunk(png, "PLTE", bytes(3 * entries));
        if (input.flag()) {
            appendChunk(png, "tRNS", bytes(1 + input.number(entries)));
        }
    } else if (kind < 2 && input.flag()) {
        QByteArray key; // 16-bit samples; now and then one above 255
        for (int sample = 0; sample < (kind == 0 ? 1 : 3); ++sample) {
            key.append(static_cast<char>(input.number(8) == 0 ? 1 : 0)).append(bytes(1));
        }
        appendChunk(png, "tRNS", key);
    }
    QByteArray rows;
    for (int y = 0; y < height; ++y) {
        rows.append(static_cast<char>(input.number(6))); // 5: a filter type that does not exist
        rows += bytes(width * kChannels[kind]);
    }
    appendChunk(png, "IDAT", qCompress(rows).mid(4));
    appendChunk(png, "IEND", {});
    return png;
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
    const auto decoded = decodeCommonPng(exact);
    if (!decoded) {
        return 0; // left to Qt's reader
    }
    const QImage& image = decoded->image;
    check(image.format() == QImage::Format_ARGB32_Premultiplied, "premultiplied ARGB32");
    QImage reference;
    check(reference.loadFromData(exact, "png"), "Qt reads every file decoded here");
    reference.convertTo(QImage::Format_ARGB32_Premultiplied);
    check(reference.size() == image.size(), "the same size as Qt's");
    QRect visible;
    for (int y = 0; y < image.height(); ++y) {
        check(std::memcmp(image.constScanLine(y), reference.constScanLine(y),
                          static_cast<std::size_t>(image.width()) * 4) == 0,
              "the same pixels as Qt's");
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                visible |= QRect(x, y, 1, 1);
            }
        }
    }
    check(visible == decoded->visible, "the visible part holds every visible pixel");
    return 0;
}
