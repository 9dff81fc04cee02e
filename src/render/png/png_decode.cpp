#include "render/png/png_decode.h"

#include "render/png/pixel_memory.h"
#include "render/png/png_rows.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <libdeflate.h>
#include <limits>
#include <memory>
#include <new>
#include <span>
#include <vector>

namespace brindo {

namespace {

using png::RowFormat;
using png::SampleLayout;

constexpr std::size_t kChunkOverhead = 12; // length, type and checksum
constexpr quint32 kLongestChunk = 0x7FFFFFFFU;
constexpr quint32 kHeaderSize = 13;

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

struct Kind {
    int colourType;
    SampleLayout layout;
    int channels;
    unsigned bitDepths; // bit n set: n bits a sample
};

constexpr unsigned kBelowEight = (1U << 1U) | (1U << 2U) | (1U << 4U);
constexpr unsigned kEightAndUp = (1U << 8U) | (1U << 16U);
constexpr Kind kKinds[] = {
    {0, SampleLayout::Grey, 1, kBelowEight | kEightAndUp},
    {2, SampleLayout::Rgb, 3, kEightAndUp},
    {3, SampleLayout::Palette, 1, kBelowEight | (1U << 8U)},
    {4, SampleLayout::GreyAlpha, 2, kEightAndUp},
    {6, SampleLayout::Rgba, 4, kEightAndUp},
};

const Kind* kindOf(const PngHeader& header) {
    for (const Kind& kind : kKinds) {
        if (kind.colourType == header.colourType && header.bitDepth < 32 &&
            (kind.bitDepths & (1U << static_cast<unsigned>(header.bitDepth))) != 0) {
            return &kind;
        }
    }
    return nullptr;
}

// An interlace pass: the first column and row of its pixels and the steps
// between them.
struct Pass {
    quint32 left;
    quint32 top;
    quint32 columnStep;
    quint32 rowStep;

    quint32 columns(quint32 width) const {
        return width > left ? (width - left + columnStep - 1) / columnStep : 0;
    }
    quint32 rows(quint32 height) const {
        return height > top ? (height - top + rowStep - 1) / rowStep : 0;
    }
};

constexpr Pass kEveryPixel[] = {{0, 0, 1, 1}};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

std::span<const Pass> passesOf(const PngHeader& header) {
    return header.interlaced ? std::span<const Pass>(kAdam7) : std::span<const Pass>(kEveryPixel);
}

// The bytes of one unfiltered row of `columns` pixels.
quint64 rowBytes(const PngHeader& header, quint64 columns) {
    const Kind* kind = kindOf(header);
    const auto bits = static_cast<quint64>(kind == nullptr ? 0 : kind->channels) *
                      static_cast<quint64>(header.bitDepth);
    return (columns * bits + 7) / 8;
}

// The bytes of a pass's filtered rows, each a filter type and its row.
quint64 passBytes(const PngHeader& header, const Pass& pass) {
    const quint64 columns = pass.columns(header.width);
    return columns == 0 ? 0 : pass.rows(header.height) * (rowBytes(header, columns) + 1);
}

std::optional<PngHeader> parseHeader(QByteArrayView data) {
    if (data.size() != kHeaderSize) {
        return std::nullopt;
    }
    const auto* bytes = reinterpret_cast<const uchar*>(data.data());
    PngHeader header;
    header.width = qFromBigEndian<quint32>(bytes);
    header.height = qFromBigEndian<quint32>(bytes + 4);
    header.bitDepth = bytes[8];
    header.colourType = bytes[9];
    header.interlaced = bytes[12] == 1;
    const bool methodsKnown = bytes[10] == 0 && bytes[11] == 0 && bytes[12] <= 1;
    if (header.width == 0 || header.height == 0 || header.width > kLongestChunk ||
        header.height > kLongestChunk || !methodsKnown || kindOf(header) == nullptr) {
        return std::nullopt;
    }
    return header;
}

struct Layout {
    PngHeader header;
    int channels = 0;
    RowFormat format;
};

// The palette of a palette picture; RGB pictures may suggest one, which
// changes nothing.
bool readPalette(const QByteArrayView data, RowFormat& format, int bitDepth) {
    const qsizetype entries = data.size() / 3;
    const bool forColours =
        format.layout == SampleLayout::Rgb || format.layout == SampleLayout::Rgba;
    const qsizetype most = forColours ? 256 : qsizetype{1} << bitDepth;
    if ((format.layout != SampleLayout::Palette && !forColours) || data.size() % 3 != 0 ||
        entries == 0 || entries > most) {
        return false;
    }
    if (forColours) {
        return true;
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
            const auto value = qFromBigEndian<quint16>(bytes + 2 * sample);
            if (value >> format.bitDepth != 0) {
                return false; // not a colour that the picture's samples can hold
            }
            format.transparentKey.at(i) = value;
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
    quint64 imageDataSize = 0;
};

std::optional<Layout> readLayout(const Chunk& chunk) {
    const std::optional<PngHeader> header =
        chunk.is("IHDR") ? parseHeader(chunk.data) : std::nullopt;
    if (!header || !withinPngLimit(header->width, header->height)) {
        return std::nullopt;
    }
    const Kind* kind = kindOf(*header);
    Layout layout{*header, kind->channels, {}};
    layout.format.layout = kind->layout;
    layout.format.bitDepth = header->bitDepth;
    return layout;
}

// Reads every chunk up to IEND. Anything a strict reader would complain
// about ends the attempt.
std::optional<Stream> readChunks(QByteArrayView file) {
    ChunkReader reader(file);
    if (!reader.signatureMatches()) {
        return std::nullopt;
    }
    const auto first = reader.next();
    std::optional<Layout> layout = first ? readLayout(*first) : std::nullopt;
    if (!layout) {
        return std::nullopt;
    }
    Stream stream{*layout, {}, 0};
    RowFormat& format = stream.layout.format;
    bool dataEnded = false;
    bool paletteSeen = false;
    bool transparencySeen = false;
    while (const auto chunk = reader.next()) {
        if (chunk->is("IEND")) {
            const bool paletteReady =
                format.layout != SampleLayout::Palette || format.paletteSize > 0;
            if (!chunk->data.isEmpty() || stream.imageData.empty() || !paletteReady) {
                return std::nullopt;
            }
            if (format.layout == SampleLayout::Grey && format.bitDepth <= 8) {
                png::setGreyLevels(format);
            }
            return stream;
        }
        if (chunk->is("IDAT")) {
            if (dataEnded) {
                return std::nullopt;
            }
            stream.imageData.push_back(chunk->data);
            stream.imageDataSize += static_cast<quint64>(chunk->data.size());
            continue;
        }
        const bool afterData = !stream.imageData.empty();
        dataEnded = afterData;
        bool understood = true;
        if (chunk->is("PLTE")) {
            understood = !afterData && !paletteSeen && !transparencySeen &&
                         readPalette(chunk->data, format, stream.layout.header.bitDepth);
            paletteSeen = true;
        } else if (chunk->is("tRNS")) {
            understood = !afterData && !transparencySeen && readTransparency(chunk->data, format);
            transparencySeen = true;
        } else {
            // Gamma, colour profiles and the like: Qt's reader attaches them
            // to the image, and nothing here draws by them.
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

// Whether a filtered row unfilters to the row above: "Up" with nothing added,
// or "None" with the same bytes. Layers repeat rows often (the transparent
// rows around a figure), and such a row is simply a copy of the one above.
bool repeatsRowAbove(int filterType, const uchar* filtered, const uchar* prior,
                     std::size_t length) {
    constexpr int kNone = 0;
    constexpr int kUp = 2;
    if (filterType == kUp) {
        uchar any = 0;
        for (std::size_t i = 0; i < length; ++i) {
            any |= filtered[i];
        }
        return any == 0;
    }
    return filterType == kNone && std::memcmp(filtered, prior, length) == 0;
}

// Unfilters and converts the rows of one pass into the picture; `filtered`
// points at the pass's first filtered row. A row of a picture that is not
// interlaced may be written where its filtered row lay, as soon as that is
// unfiltered. The rows of a picture that is not interlaced note their spans
// in `spans` as they are converted.
bool convertPass(const Layout& layout, const Pass& pass, const uchar* filtered, uchar* pixels,
                 std::vector<RowSpan>& spans) {
    const PngHeader& header = layout.header;
    const quint32 columns = pass.columns(header.width);
    const quint32 rows = pass.rows(header.height);
    if (columns == 0 || rows == 0) {
        return true;
    }
    const auto length = static_cast<std::size_t>(rowBytes(header, columns));
    const int bytesPerPixel = std::max(1, layout.channels * header.bitDepth / 8);
    const std::size_t outputRow = std::size_t{4} * header.width;
    const bool interlaced = pass.columnStep != 1 || pass.rowStep != 1;
    std::vector<uchar> unfiltered(3 * length, 0);
    uchar* prior = unfiltered.data();
    uchar* current = unfiltered.data() + length;
    uchar* next = unfiltered.data() + 2 * length;
    std::vector<QRgb> spread(pass.columnStep == 1 ? 0 : columns);
    const auto convert = [&](const uchar* samples, quint32 y) {
        auto* out = reinterpret_cast<QRgb*>(pixels + y * outputRow);
        png::VisibleSpan span{static_cast<int>(columns), -1};
        if (!png::toPremultiplied(layout.format, samples, static_cast<int>(columns),
                                  spread.empty() ? out : spread.data(), span)) {
            return false;
        }
        for (quint32 x = 0; x < spread.size(); ++x) {
            out[pass.left + x * pass.columnStep] = spread[x];
        }
        if (!spans.empty()) {
            spans[y] = {span.first, span.last, span.opaque == span.last - span.first + 1};
        }
        return true;
    };
    for (quint32 row = 0; row < rows; ++row) {
        const uchar* in = filtered + row * (length + 1);
        const quint32 y = pass.top + row * pass.rowStep;
        if (y > 0 && !interlaced && repeatsRowAbove(in[0], in + 1, prior, length)) {
            std::memcpy(pixels + y * outputRow, pixels + (y - 1) * outputRow, outputRow);
            if (!spans.empty()) {
                spans[y] = spans[y - 1];
            }
            continue; // `prior` holds this row already
        }
        // Both rows are unfiltered before either is converted: the first's
        // picture row may lie over the second's filtered bytes.
        if (row + 1 < rows) {
            const uchar* following = in + length + 1;
            if (png::unfilterTwoRows(in[0], in + 1, following[0], following + 1, prior, current,
                                     next, length, bytesPerPixel)) {
                if (!convert(current, y) || !convert(next, y + pass.rowStep)) {
                    return false;
                }
                ++row;
                std::swap(prior, next);
                continue;
            }
        }
        if (!png::unfilterRow(in[0], in + 1, prior, current, length, bytesPerPixel) ||
            !convert(current, y)) {
            return false;
        }
        std::swap(prior, current);
    }
    return true;
}

// Inflates and converts the rows. 8-bit pictures that are not interlaced
// are inflated into the end of the picture's own buffer: each output row
// ends before the next inflated row begins, so nothing is overwritten before
// it is read. The others are inflated into a buffer of their own.
std::optional<DecodedPicture> decodeRows(const Stream& stream) {
    const Layout& layout = stream.layout;
    const PngHeader& header = layout.header;
    const quint64 filteredSize = header.inflatedSize();
    if (filteredSize > kMostInflatedPerByte * stream.imageDataSize + 1024) {
        return std::nullopt; // far too little data for the picture's size
    }
    const std::size_t outputRow = std::size_t{4} * header.width;
    const std::size_t outputSize = outputRow * header.height;
    const bool inPlace = !header.interlaced && header.bitDepth <= 8;
    const std::size_t bufferSize =
        inPlace ? std::max<std::size_t>(filteredSize, outputSize) : outputSize;
    Buffer buffer(static_cast<uchar*>(takePixelMemory(bufferSize)));
    Buffer separate(inPlace ? nullptr : static_cast<uchar*>(takePixelMemory(filteredSize)));
    if (!buffer || (!inPlace && !separate)) {
        return std::nullopt;
    }
    uchar* filtered = inPlace ? buffer.get() + (bufferSize - filteredSize) : separate.get();
    if (!inflate(stream.imageData, filtered, filteredSize)) {
        return std::nullopt;
    }
    // Interlaced rows come in parts; their spans are found in the finished picture.
    std::vector<RowSpan> rows(header.interlaced ? 0 : header.height);
    for (const Pass& pass : passesOf(header)) {
        if (!convertPass(layout, pass, filtered, buffer.get(), rows)) {
            return std::nullopt;
        }
        filtered += passBytes(header, pass);
    }
    separate.reset();

    QImage image(buffer.get(), static_cast<int>(header.width), static_cast<int>(header.height),
                 static_cast<qsizetype>(outputRow), QImage::Format_ARGB32_Premultiplied,
                 givePixelMemoryBack, buffer.get());
    if (image.isNull()) {
        return std::nullopt;
    }
    buffer.release(); // NOLINT(bugprone-unused-return-value): the image owns it now
    Coverage coverage = header.interlaced
                            ? coverageOf(image)
                            : Coverage::fromRows(std::move(rows), static_cast<int>(header.width));
    return DecodedPicture{image, std::move(coverage)};
}

} // namespace

quint64 PngHeader::inflatedSize() const {
    quint64 size = 0;
    for (const Pass& pass : passesOf(*this)) {
        size += passBytes(*this, pass);
    }
    return size;
}

std::optional<PngHeader> readPngHeader(QByteArrayView start) {
    const qsizetype signatureSize = kPngSignature.size();
    const qsizetype headerEnd = signatureSize + 8 + kHeaderSize;
    if (start.size() < headerEnd || !start.startsWith(kPngSignature) ||
        start.sliced(12, 4) != QByteArrayView("IHDR") ||
        qFromBigEndian<quint32>(start.data() + signatureSize) != kHeaderSize) {
        return std::nullopt;
    }
    return parseHeader(start.sliced(16, kHeaderSize));
}

std::optional<DecodedPicture> decodePngData(QByteArrayView file) {
    try {
        const std::optional<Stream> stream = readChunks(file);
        return stream ? decodeRows(*stream) : std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace brindo
