#include "support/test_images.h"

#include <QList>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdlib>

namespace brindo::test {

namespace {

quint32 crc32(const QByteArray& data) {
    quint32 crc = 0xFFFFFFFFU;
    for (const char byte : data) {
        crc ^= static_cast<quint8>(byte);
        for (int k = 0; k < 8; ++k) {
            crc = (crc & 1U) != 0 ? 0xEDB88320U ^ (crc >> 1U) : crc >> 1U;
        }
    }
    return ~crc;
}

QByteArray u32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

const QByteArray kSignature("\x89PNG\r\n\x1a\n", 8);

// Packs samples of `bitDepth` bits into the bytes of a scanline.
QByteArray packRow(const QList<quint32>& samples, int bitDepth) {
    QByteArray row;
    quint32 bits = 0;
    int pending = 0;
    for (const quint32 sample : samples) {
        bits = (bits << static_cast<quint32>(bitDepth)) | sample;
        for (pending += bitDepth; pending >= 8; pending -= 8) {
            row.append(static_cast<char>(bits >> static_cast<quint32>(pending - 8)));
        }
    }
    if (pending > 0) {
        row.append(static_cast<char>(bits << static_cast<quint32>(8 - pending)));
    }
    return row;
}

// Filters a scanline with filter type `type`; the bytes of the pixel to the
// left lie `step` bytes back.
QByteArray filterRow(const QByteArray& row, const QByteArray& prior, int type, int step) {
    QByteArray out(1, static_cast<char>(type));
    for (qsizetype i = 0; i < row.size(); ++i) {
        const int left = i >= step ? static_cast<uchar>(row[i - step]) : 0;
        const int above = static_cast<uchar>(prior[i]);
        const int aboveLeft = i >= step ? static_cast<uchar>(prior[i - step]) : 0;
        const int pa = std::abs(above - aboveLeft);
        const int pb = std::abs(left - aboveLeft);
        const int pc = std::abs(left + above - 2 * aboveLeft);
        const int paeth = pa <= pb && pa <= pc ? left : (pb <= pc ? above : aboveLeft);
        const std::array<int, 5> predictions{0, left, above, (left + above) / 2, paeth};
        out.append(static_cast<char>(static_cast<uchar>(row[i]) - predictions.at(type)));
    }
    return out;
}

// The samples of an image for a kind: every pixel's in turn, row by row.
struct Sampler {
    QImage image;
    PngKind kind;
    QList<QRgb> palette;

    QList<quint32> samplesOf(int x, int y) const {
        const QRgb pixel = image.pixel(x, y);
        if (kind.colour == PngColour::Palette) {
            return {static_cast<quint32>(std::max<qsizetype>(0, palette.indexOf(pixel)))};
        }
        const auto s = [this](int value) { // a sample of 8 bits at the kind's depth
            const auto v = static_cast<quint32>(value);
            return kind.bitDepth == 16 ? v * 257U : v >> static_cast<quint32>(8 - kind.bitDepth);
        };
        // With a tRNS chunk, samples of 0 mark the transparent pixels and no others.
        const bool clear = qAlpha(pixel) == 0 && kind.transparencyChunk;
        const quint32 red = clear ? 0U : std::max(1U, s(qRed(pixel)));
        switch (kind.colour) {
        case PngColour::Grey:
            return {red};
        case PngColour::Rgb:
            return {red, clear ? 0U : s(qGreen(pixel)), clear ? 0U : s(qBlue(pixel))};
        case PngColour::GreyAlpha:
            return {s(qRed(pixel)), s(qAlpha(pixel))};
        default:
            return {s(qRed(pixel)), s(qGreen(pixel)), s(qBlue(pixel)), s(qAlpha(pixel))};
        }
    }

    QList<quint32> samples() const {
        QList<quint32> all;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                all.append(samplesOf(x, y));
            }
        }
        return all;
    }
};

int channelsOf(PngColour colour) {
    switch (colour) {
    case PngColour::Rgb:
        return 3;
    case PngColour::GreyAlpha:
        return 2;
    case PngColour::Rgba:
        return 4;
    default:
        return 1;
    }
}

struct Encoder {
    QSize size;
    PngKind kind;
    const QList<quint32>& samples;

    // The rows of one interlace pass (or of the whole picture), filtered.
    QByteArray pass(int x0, int y0, int dx, int dy) const {
        const int channels = channelsOf(kind.colour);
        const int bits = channels * kind.bitDepth;
        QByteArray raw;
        QByteArray prior;
        for (int y = y0; y < size.height() && x0 < size.width(); y += dy) {
            QList<quint32> rowSamples;
            for (int x = x0; x < size.width(); x += dx) {
                rowSamples.append(
                    samples.sliced((qsizetype{y} * size.width() + x) * channels, channels));
            }
            const QByteArray row = packRow(rowSamples, kind.bitDepth);
            prior.resize(row.size(), '\0');
            raw.append(filterRow(row, prior, (y + size.width()) % 5, std::max(1, bits / 8)));
            prior = row;
        }
        return raw;
    }

    QByteArray imageData() const {
        // Each pass's first column and row and the steps between them: the
        // seven passes of Adam7 or one pass over every pixel.
        const QList<int> passes = kind.interlaced
                                      ? QList<int>{0, 0, 8, 8, 4, 0, 8, 8, 0, 4, 4, 8, 2, 0,
                                                   4, 4, 0, 2, 2, 4, 1, 0, 2, 2, 0, 1, 1, 2}
                                      : QList<int>{0, 0, 1, 1};
        QByteArray raw;
        for (qsizetype p = 0; p < passes.size(); p += 4) {
            raw.append(pass(passes.at(p), passes.at(p + 1), passes.at(p + 2), passes.at(p + 3)));
        }
        return raw;
    }
};

QByteArray header(int width, int height, int bitDepth, PngColour colour, bool interlaced) {
    const char rest[] = {static_cast<char>(bitDepth), static_cast<char>(colour), 0, 0,
                         static_cast<char>(interlaced ? 1 : 0)};
    return kSignature + pngChunk("IHDR", u32(width) + u32(height) + QByteArray(rest, 5));
}

// The image data, compressed (qCompress puts a four-byte length before the
// zlib stream), and the end.
QByteArray dataAndEnd(const QByteArray& rows) {
    return pngChunk("IDAT", qCompress(rows).mid(4)) + pngChunk("IEND", {});
}

} // namespace

QByteArray encodePng(const QImage& source, const PngKind& kind) {
    Sampler sampler{source.convertToFormat(QImage::Format_ARGB32), kind, {}};
    QByteArray png =
        header(source.width(), source.height(), kind.bitDepth, kind.colour, kind.interlaced);
    if (kind.colour == PngColour::Palette) {
        QByteArray plte;
        QByteArray trns;
        const int width = sampler.image.width();
        for (int i = 0; i < width * sampler.image.height(); ++i) {
            const QRgb pixel = sampler.image.pixel(i % width, i / width);
            if (!sampler.palette.contains(pixel) && sampler.palette.size() < (1 << kind.bitDepth)) {
                sampler.palette.append(pixel);
                const char rgb[] = {static_cast<char>(qRed(pixel)),
                                    static_cast<char>(qGreen(pixel)),
                                    static_cast<char>(qBlue(pixel))};
                plte.append(rgb, 3);
                trns.append(static_cast<char>(qAlpha(pixel)));
            }
        }
        png += pngChunk("PLTE", plte) + (kind.transparencyChunk ? pngChunk("tRNS", trns) : "");
    } else if (kind.transparencyChunk) {
        png += pngChunk("tRNS", QByteArray(kind.colour == PngColour::Grey ? 2 : 6, '\0'));
    }
    const QList<quint32> samples = sampler.samples();
    return png + dataAndEnd(Encoder{source.size(), kind, samples}.imageData());
}

QByteArray encodePngSamples(QSize size, const PngKind& kind, const QList<quint32>& samples,
                            const QList<quint32>& transparent) {
    QByteArray png =
        header(size.width(), size.height(), kind.bitDepth, kind.colour, kind.interlaced);
    if (kind.transparencyChunk) {
        QByteArray trns;
        for (const quint32 sample : transparent) {
            trns.append(static_cast<char>(sample >> 8U)).append(static_cast<char>(sample));
        }
        png += pngChunk("tRNS", trns);
    }
    return png + dataAndEnd(Encoder{size, kind, samples}.imageData());
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type, 4) + data;
    return u32(static_cast<quint32>(data.size())) + body + u32(crc32(body));
}

QByteArray encodeFlatPng(int width, int height, QRgb colour) {
    const char rgb[] = {static_cast<char>(qRed(colour)), static_cast<char>(qGreen(colour)),
                        static_cast<char>(qBlue(colour))};
    // Every row: filter type 0, then index 0 for every pixel.
    const QByteArray rows(static_cast<qsizetype>(height) * (1 + (width + 7) / 8), '\0');
    return header(width, height, 1, PngColour::Palette, false) + pngChunk("PLTE", {rgb, 3}) +
           pngChunk("tRNS", QByteArray(1, static_cast<char>(qAlpha(colour)))) + dataAndEnd(rows);
}

QImage samplePicture(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    quint32 seed = 12345;
    for (int i = 0; i < width * height; ++i) {
        seed = seed * 1103515245U + 12345U;
        const int x = i % width;
        const int run = (x / 5 + i / width) % 4; // clear, opaque, then partly clear
        const int alpha = run == 0 ? 0 : (run == 1 ? 255 : static_cast<int>(seed >> 16U) & 0xFF);
        image.setPixel(x, i / width,
                       qRgba(static_cast<int>(seed >> 8U) & 0xFF, (x * 7 + i / width) & 0xFF,
                             static_cast<int>(seed >> 24U), alpha));
    }
    return image;
}

} // namespace brindo::test
