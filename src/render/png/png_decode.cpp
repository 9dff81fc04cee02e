#include "render/png/png_decode.h"

#include "render/png/pixel_memory.h"
#include "render/png/png_rows.h"

#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <new>
#include <vector>

namespace brindo {

namespace {

using png::RowFormat;
using png::SampleLayout;

constexpr std::size_t kChunkOverhead = 12; // length, type and checksum
constexpr quint32 kLongestChunk = 0x7FFFFFFFU;
constexpr quint32 kHeaderSize = 13;
// libpng refuses wider or taller pictures unless told otherwise.
constexpr quint32 kLargestSide = 1000000;

struct Chunk {
    QByteArrayView type;
    QByteArrayView data;

    bool is(const char (&name)[5]) const { return type == QByteArrayView(name, 4); }
    bool critical() const { return (type.at(0) & 0x20) == 0; }
};

// Walks the chunks of a file, checking every length and checksum.
class ChunkReader {
public:
    explicit ChunkReader(QByteArrayView file) : file_(file) {}

    bool signatureMatches() {
        if (!file_.startsWith(kPngSignature)) {
            return false;
        }
        position_ = static_cast<std::size_t>(kPngSignature.size());
        return true;
    }

    std::optional<Chunk> next() {
        const auto left = static_cast<std::size_t>(file_.size()) - position_;
        if (left < kChunkOverhead) {
            return std::nullopt;
        }
        const auto* at = reinterpret_cast<const uchar*>(file_.data()) + position_;
        const quint32 length = qFromBigEndian<quint32>(at);
        if (length > kLongestChunk || length > left - kChunkOverhead) {
            return std::nullopt;
        }
        const QByteArrayView type = file_.sliced(static_cast<qsizetype>(position_) + 4, 4);
        const bool letters = std::all_of(type.begin(), type.end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        });
        const quint32 stored = qFromBigEndian<quint32>(at + 8 + length);
        if (!letters || libdeflate_crc32(0, at + 4, length + 4) != stored) {
            return std::nullopt;
        }
        position_ += kChunkOverhead + length;
        return Chunk{type, file_.sliced(static_cast<qsizetype>(position_ - 4 - length), length)};
    }

private:
    QByteArrayView file_;
    std::size_t position_ = 0;
};

struct Layout {
    quint32 width = 0;
    quint32 height = 0;
    int channels = 0;
    RowFormat format;
};

std::optional<Layout> readHeader(const Chunk& chunk) {
    if (!chunk.is("IHDR") || chunk.data.size() != kHeaderSize) {
        return std::nullopt;
    }
    const auto* data = reinterpret_cast<const uchar*>(chunk.data.data());
    Layout layout;
    layout.width = qFromBigEndian<quint32>(data);
    layout.height = qFromBigEndian<quint32>(data + 4);
    const int bitDepth = data[8];
    const int colourType = data[9];
    const bool plain = data[10] == 0 && data[11] == 0 && data[12] == 0; // not interlaced
    if (layout.width == 0 || layout.height == 0 || layout.width > kLargestSide ||
        layout.height > kLargestSide || bitDepth != 8 || !plain) {
        return std::nullopt;
    }
    struct Kind {
        int colourType;
        SampleLayout layout;
        int channels;
    };
    constexpr Kind kKinds[] = {{0, SampleLayout::Grey, 1},
                               {2, SampleLayout::Rgb, 3},
                               {3, SampleLayout::Palette, 1},
                               {4, SampleLayout::GreyAlpha, 2},
                               {6, SampleLayout::Rgba, 4}};
    for (const Kind& kind : kKinds) {
        if (kind.colourType == colourType) {
            layout.format.layout = kind.layout;
            layout.channels = kind.channels;
            return layout;
        }
    }
    return std::nullopt;
}

bool readPalette(const QByteArrayView data, RowFormat& format) {
    const qsizetype entries = data.size() / 3;
    if (format.layout != SampleLayout::Palette || format.paletteSize != 0 || data.size() % 3 != 0 ||
        entries == 0 || entries > 256) {
        return false;
    }
    const auto* rgb = reinterpret_cast<const uchar*>(data.data());
    for (qsizetype i = 0; i < entries; ++i) {
        format.palette.at(i) = png::premultiplied(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 0xFF);
    }
    format.paletteSize = static_cast<int>(entries);
    return true;
}

// Transparency: alpha for the first palette entries, or one colour of a grey
// or RGB picture that is fully transparent.
bool readTransparency(const QByteArrayView data, RowFormat& format) {
    const auto* bytes = reinterpret_cast<const uchar*>(data.data());
    switch (format.layout) {
    case SampleLayout::Palette:
        if (format.paletteSize == 0 || data.isEmpty() || data.size() > format.paletteSize) {
            return false;
        }
        for (qsizetype i = 0; i < data.size(); ++i) {
            const QRgb colour = format.palette.at(i);
            format.palette.at(i) =
                png::premultiplied(qRed(colour), qGreen(colour), qBlue(colour), bytes[i]);
        }
        return true;
    case SampleLayout::Grey:
    case SampleLayout::Rgb: {
        const qsizetype samples = format.layout == SampleLayout::Grey ? 1 : 3;
        if (format.hasTransparentKey || data.size() != 2 * samples) {
            return false;
        }
        for (qsizetype i = 0; i < 3; ++i) {
            const qsizetype sample = samples == 1 ? 0 : i;
            if (bytes[2 * sample] != 0) {
                return false; // above 255: not a colour of an 8-bit picture
            }
            format.transparentKey.at(i) = bytes[2 * sample + 1];
        }
        format.hasTransparentKey = true;
        return true;
    }
    default:
        return false;
    }
}

struct Stream {
    Layout layout;
    std::vector<QByteArrayView> imageData; // the IDAT chunks, in order
};

// Reads every chunk up to IEND. Anything a strict reader would complain
// about, or that changes colours beyond what is handled here, ends the
// attempt.
std::optional<Stream> readChunks(QByteArrayView file) {
    ChunkReader reader(file);
    if (!reader.signatureMatches()) {
        return std::nullopt;
    }
    const auto first = reader.next();
    std::optional<Layout> layout = first ? readHeader(*first) : std::nullopt;
    if (!layout) {
        return std::nullopt;
    }
    Stream stream{*layout, {}};
    RowFormat& format = stream.layout.format;
    bool dataEnded = false;
    bool transparencySeen = false;
    while (const auto chunk = reader.next()) {
        if (chunk->is("IEND")) {
            const bool paletteReady =
                format.layout != SampleLayout::Palette || format.paletteSize > 0;
            if (!chunk->data.isEmpty() || stream.imageData.empty() || !paletteReady) {
                return std::nullopt;
            }
            return stream;
        }
        if (chunk->is("IDAT")) {
            if (dataEnded) {
                return std::nullopt;
            }
            stream.imageData.push_back(chunk->data);
            continue;
        }
        const bool afterData = !stream.imageData.empty();
        dataEnded = afterData;
        bool understood = true;
        if (chunk->is("PLTE")) {
            understood = !afterData && !transparencySeen && readPalette(chunk->data, format);
        } else if (chunk->is("tRNS")) {
            understood = !afterData && !transparencySeen && readTransparency(chunk->data, format);
            transparencySeen = true;
        } else if (chunk->is("iCCP")) {
            understood = false; // a colour profile: Qt's reader attaches it to the image
        } else {
            understood = !chunk->critical();
        }
        if (!understood) {
            return std::nullopt;
        }
    }
    return std::nullopt; // truncated, or a chunk that does not add up
}

struct GiveBack {
    void operator()(uchar* memory) const { givePixelMemoryBack(memory); }
};
using Buffer = std::unique_ptr<uchar, GiveBack>;

libdeflate_decompressor* decompressor() {
    struct Owner {
        libdeflate_decompressor* pointer = libdeflate_alloc_decompressor();
        Owner() = default;
        Owner(const Owner&) = delete;
        Owner& operator=(const Owner&) = delete;
        ~Owner() { libdeflate_free_decompressor(pointer); }
    };
    thread_local const Owner owner;
    return owner.pointer;
}

// Inflates the image data into the end of `target`, which holds exactly
// `size` bytes there.
bool inflate(const std::vector<QByteArrayView>& chunks, uchar* target, std::size_t size) {
    std::vector<uchar> joined;
    QByteArrayView data = chunks.front();
    if (chunks.size() > 1) {
        for (const QByteArrayView chunk : chunks) {
            joined.insert(joined.end(), chunk.begin(), chunk.end());
        }
        data = QByteArrayView(joined.data(), static_cast<qsizetype>(joined.size()));
    }
    libdeflate_decompressor* inflater = decompressor();
    std::size_t consumed = 0;
    std::size_t written = 0;
    return inflater != nullptr &&
           libdeflate_zlib_decompress_ex(inflater, data.data(),
                                         static_cast<std::size_t>(data.size()), target, size,
                                         &consumed, &written) == LIBDEFLATE_SUCCESS &&
           consumed == static_cast<std::size_t>(data.size()) && written == size;
}

bool withinAllocationLimit(std::size_t bytes) {
    const int megabytes = QImageReader::allocationLimit();
    return megabytes <= 0 || bytes <= static_cast<std::size_t>(megabytes) * 1024U * 1024U;
}

// Inflates and converts the rows. The output rows are written into the same
// buffer that holds the inflated rows: each output row ends before the next
// inflated row begins, so nothing is overwritten before it is read.
std::optional<DecodedPicture> decodeRows(const Stream& stream) {
    const Layout& layout = stream.layout;
    const std::size_t width = layout.width;
    const std::size_t height = layout.height;
    const std::size_t rowBytes = width * static_cast<std::size_t>(layout.channels);
    const std::size_t filteredRow = rowBytes + 1;
    const std::size_t outputRow = width * 4;
    const std::size_t bufferSize = height * std::max(filteredRow, outputRow);
    if (!withinAllocationLimit(height * outputRow)) {
        return std::nullopt;
    }
    Buffer buffer(static_cast<uchar*>(takePixelMemory(bufferSize)));
    if (!buffer) {
        return std::nullopt;
    }
    const std::size_t filteredSize = height * filteredRow;
    uchar* filtered = buffer.get() + (bufferSize - filteredSize);
    if (!inflate(stream.imageData, filtered, filteredSize)) {
        return std::nullopt;
    }

    std::vector<uchar> rows(2 * rowBytes, 0);
    uchar* prior = rows.data();
    uchar* current = rows.data() + rowBytes;
    int top = static_cast<int>(height);
    int bottom = -1;
    png::VisibleSpan columns{static_cast<int>(width), -1};
    for (std::size_t y = 0; y < height; ++y) {
        const uchar* in = filtered + y * filteredRow;
        auto* out = reinterpret_cast<QRgb*>(buffer.get() + y * outputRow);
        png::VisibleSpan span{static_cast<int>(width), -1};
        if (!png::unfilterRow(in[0], in + 1, prior, current, rowBytes, layout.channels) ||
            !png::toPremultiplied(layout.format, current, static_cast<int>(width), out, span)) {
            return std::nullopt;
        }
        if (span.first <= span.last) {
            top = std::min(top, static_cast<int>(y));
            bottom = static_cast<int>(y);
            columns.first = std::min(columns.first, span.first);
            columns.last = std::max(columns.last, span.last);
        }
        std::swap(prior, current);
    }

    QImage image(buffer.get(), static_cast<int>(width), static_cast<int>(height),
                 static_cast<qsizetype>(outputRow), QImage::Format_ARGB32_Premultiplied,
                 givePixelMemoryBack, buffer.get());
    if (image.isNull()) {
        return std::nullopt;
    }
    buffer.release(); // NOLINT(bugprone-unused-return-value): the image owns it now
    const QRect visible =
        bottom < 0 ? QRect() : QRect(QPoint(columns.first, top), QPoint(columns.last, bottom));
    return DecodedPicture{image, visible};
}

} // namespace

std::optional<DecodedPicture> decodeCommonPng(QByteArrayView file) {
    try {
        const std::optional<Stream> stream = readChunks(file);
        return stream ? decodeRows(*stream) : std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace brindo
