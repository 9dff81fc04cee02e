#include "render/png/png_encode.h"

#include "render/png/pixel_memory.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <libdeflate.h>
#include <memory>
#include <vector>

namespace brindo {

namespace {

// libdeflate's level 6 gives files the size of zlib's default in a third of
// the time.
constexpr int kCompressionLevel = 6;

struct GivePixelMemoryBack {
    void operator()(std::uint8_t* memory) const { givePixelMemoryBack(memory); }
};

// One compressor a thread, kept: making one takes and clears far more memory
// than a small picture needs.
libdeflate_compressor* compressor() {
    struct Owner {
        libdeflate_compressor* pointer = libdeflate_alloc_compressor(kCompressionLevel);
        Owner() = default;
        Owner(const Owner&) = delete;
        Owner& operator=(const Owner&) = delete;
        ~Owner() { libdeflate_free_compressor(pointer); }
    };
    thread_local const Owner owner;
    return owner.pointer;
}

QByteArray zlibCompressed(const std::uint8_t* data, std::size_t size) {
    libdeflate_compressor* deflater = compressor();
    if (deflater == nullptr) {
        return {};
    }
    const std::size_t bound = libdeflate_zlib_compress_bound(deflater, size);
    QByteArray out(static_cast<qsizetype>(bound), Qt::Uninitialized);
    const std::size_t written = libdeflate_zlib_compress(deflater, data, size, out.data(), bound);
    out.truncate(static_cast<qsizetype>(written));
    return written == 0 ? QByteArray() : out;
}

void appendBigEndian(QByteArray& out, quint32 value) {
    std::array<char, 4> bytes{};
    qToBigEndian(value, bytes.data());
    out.append(bytes.data(), 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data) {
    appendBigEndian(out, static_cast<quint32>(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    appendBigEndian(out, libdeflate_crc32(0, out.constData() + start,
                                          static_cast<std::size_t>(data.size()) + 4));
}

constexpr int kFilterTypes = 5; // none, sub, up, average, Paeth

// The Paeth predictor of the PNG format, without branches so that the loop
// around it can be vectorised.
inline int paeth(int left, int above, int aboveLeft) {
    const int toLeft = std::abs(above - aboveLeft);
    const int toAbove = std::abs(left - aboveLeft);
    const int toAboveLeft = std::abs(left + above - 2 * aboveLeft);
    const int nearer = toAbove <= toAboveLeft ? above : aboveLeft;
    return toLeft <= toAbove && toLeft <= toAboveLeft ? left : nearer;
}

// Filters one row with filter `type` into `out`. The first pixel has no
// left neighbour, which counts as zero.
void filterRow(int type, const std::uint8_t* row, const std::uint8_t* prior, std::uint8_t* out,
               std::size_t length, std::size_t pixel) {
    const auto put = [out](std::size_t i, int value) { out[i] = static_cast<std::uint8_t>(value); };
    switch (type) {
    case 1:
        for (std::size_t i = 0; i < length; ++i) {
            put(i, row[i] - (i >= pixel ? row[i - pixel] : 0));
        }
        break;
    case 2:
        for (std::size_t i = 0; i < length; ++i) {
            put(i, row[i] - prior[i]);
        }
        break;
    case 3:
        for (std::size_t i = 0; i < pixel; ++i) {
            put(i, row[i] - prior[i] / 2);
        }
        for (std::size_t i = pixel; i < length; ++i) {
            put(i, row[i] - ((row[i - pixel] + prior[i]) >> 1U));
        }
        break;
    case 4:
        for (std::size_t i = 0; i < pixel; ++i) {
            put(i, row[i] - prior[i]);
        }
        for (std::size_t i = pixel; i < length; ++i) {
            put(i, row[i] - paeth(row[i - pixel], prior[i], prior[i - pixel]));
        }
        break;
    default:
        std::copy_n(row, length, out);
        break;
    }
}

// The bytes taken as signed, summed by size: libpng's measure of how well a
// filtered row will compress.
// A row holds at most 32767 pixels of 4 bytes, so the sum fits 32 bits.
std::uint32_t filterCost(const std::uint8_t* filtered, std::size_t length) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        sum += static_cast<std::uint32_t>(std::abs(static_cast<std::int8_t>(filtered[i])));
    }
    return sum;
}

// Writes the filter type and the filtered bytes of one row to `out`,
// choosing the filter whose bytes cost least. `scratch` holds room for every
// filter's row.
void writeFilteredRow(std::uint8_t* out, std::vector<std::uint8_t>& scratch,
                      const std::uint8_t* row, const std::uint8_t* prior, std::size_t length,
                      std::size_t pixel) {
    int best = 0;
    std::uint32_t bestCost = 0;
    for (int type = 0; type < kFilterTypes; ++type) {
        std::uint8_t* filtered = scratch.data() + static_cast<std::size_t>(type) * length;
        filterRow(type, row, prior, filtered, length, pixel);
        const std::uint32_t cost = filterCost(filtered, length);
        if (type == 0 || cost < bestCost) {
            best = type;
            bestCost = cost;
        }
    }
    out[0] = static_cast<std::uint8_t>(best);
    std::copy_n(scratch.data() + static_cast<std::size_t>(best) * length, length, out + 1);
}

QByteArray textChunk(const PngText& text) {
    QByteArray data = text.keyword.left(79);
    // Compressed, no language, no translated keyword.
    data.append("\0\1\0\0\0", 5);
    const QByteArray utf8 = text.text.toUtf8();
    const QByteArray compressed =
        zlibCompressed(reinterpret_cast<const std::uint8_t*>(utf8.constData()),
                       static_cast<std::size_t>(utf8.size()));
    return compressed.isEmpty() && !utf8.isEmpty() ? QByteArray() : data + compressed;
}

} // namespace

QByteArray encodePngFile(const QImage& picture, const QList<PngText>& texts, int dotsPerMeter) {
    if (picture.isNull()) {
        return {};
    }
    const bool alpha = picture.hasAlphaChannel();
    const QImage source =
        picture.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const std::size_t pixel = alpha ? 4 : 3;
    const auto width = static_cast<std::size_t>(source.width());
    const std::size_t length = width * pixel;

    // The filtered rows take about a canvas's memory: they come from where
    // canvases do, without being cleared first.
    const std::size_t rowsSize = (length + 1) * static_cast<std::size_t>(source.height());
    const std::unique_ptr<std::uint8_t, GivePixelMemoryBack> rows(
        static_cast<std::uint8_t*>(takePixelMemory(rowsSize)));
    if (!rows) {
        return {};
    }
    std::vector<std::uint8_t> row(length);
    std::vector<std::uint8_t> prior(length, 0);
    std::vector<std::uint8_t> scratch(length * kFilterTypes);
    for (int y = 0; y < source.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        std::uint8_t* sample = row.data();
        for (std::size_t x = 0; x < width; ++x) {
            *sample++ = static_cast<std::uint8_t>(qRed(pixels[x]));
            *sample++ = static_cast<std::uint8_t>(qGreen(pixels[x]));
            *sample++ = static_cast<std::uint8_t>(qBlue(pixels[x]));
            if (alpha) {
                *sample++ = static_cast<std::uint8_t>(qAlpha(pixels[x]));
            }
        }
        writeFilteredRow(rows.get() + static_cast<std::size_t>(y) * (length + 1), scratch,
                         row.data(), prior.data(), length, pixel);
        row.swap(prior);
    }
    const QByteArray imageData = zlibCompressed(rows.get(), rowsSize);
    if (imageData.isEmpty()) {
        return {};
    }

    QByteArray header;
    appendBigEndian(header, static_cast<quint32>(source.width()));
    appendBigEndian(header, static_cast<quint32>(source.height()));
    header.append(alpha ? "\x08\x06\0\0\0" : "\x08\x02\0\0\0", 5);
    QByteArray file("\x89PNG\r\n\x1a\n", 8);
    appendChunk(file, "IHDR", header);
    if (dotsPerMeter > 0) {
        QByteArray physical;
        appendBigEndian(physical, static_cast<quint32>(dotsPerMeter));
        appendBigEndian(physical, static_cast<quint32>(dotsPerMeter));
        physical.append('\1'); // the unit is the metre
        appendChunk(file, "pHYs", physical);
    }
    for (const PngText& text : texts) {
        const QByteArray chunk = textChunk(text);
        if (chunk.isEmpty()) {
            return {};
        }
        appendChunk(file, "iTXt", chunk);
    }
    appendChunk(file, "IDAT", imageData);
    appendChunk(file, "IEND", {});
    return file;
}

} // namespace brindo
