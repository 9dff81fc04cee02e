#include "support/test_images.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <libdeflate.h>

namespace brindo::test {

namespace {

QByteArray u32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

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

// Filters a scanline with filter type `type`; the pixel to the left lies `step` bytes back.
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

// Which of red, green, blue and alpha each colour type holds.
QList<int> channelsOf(PngColour colour) {
    return colour == PngColour::Rgb         ? QList<int>{0, 1, 2}
           : colour == PngColour::GreyAlpha ? QList<int>{0, 3}
           : colour == PngColour::Rgba      ? QList<int>{0, 1, 2, 3}
                                            : QList<int>{0};
}

// The samples of every pixel in turn; of a palette kind, the index of its colour.
QList<quint32> samplesOf(const QImage& image, const PngKind& kind, const QList<QRgb>& palette) {
    const auto atDepth = [&kind](int value) {
        const auto v = static_cast<quint32>(value);
        return kind.bitDepth == 16 ? v * 257U : v >> static_cast<quint32>(8 - kind.bitDepth);
    };
    // Without alpha, samples of 0 mark the pixels that a tRNS chunk clears, and no others.
    const bool keyed = kind.colour == PngColour::Grey || kind.colour == PngColour::Rgb;
    QList<quint32> all;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (kind.colour == PngColour::Palette) {
                all.append(static_cast<quint32>(std::max<qsizetype>(0, palette.indexOf(pixel))));
                continue;
            }
            std::array<quint32, 4> rgba{atDepth(qRed(pixel)), atDepth(qGreen(pixel)),
                                        atDepth(qBlue(pixel)), atDepth(qAlpha(pixel))};
            if (keyed && kind.transparencyChunk && qAlpha(pixel) == 0) {
                rgba = {};
            } else if (keyed) {
                rgba[0] = std::max(1U, rgba[0]);
            }
            for (const int channel : channelsOf(kind.colour)) {
                all.append(rgba.at(channel));
            }
        }
    }
    return all;
}

// The rows of each interlace pass (or of the whole picture), each row with another filter.
QByteArray imageRows(QSize size, const PngKind& kind, const QList<quint32>& samples) {
    // Each pass's first column, row and steps: Adam7's seven, or one over every pixel.
    const QList<int> passes = kind.interlaced ? QList<int>{0, 0, 8, 8, 4, 0, 8, 8, 0, 4, 4, 8, 2, 0,
                                                           4, 4, 0, 2, 2, 4, 1, 0, 2, 2, 0, 1, 1, 2}
                                              : QList<int>{0, 0, 1, 1};
    const auto channels = channelsOf(kind.colour).size();
    const int step = std::max(1, static_cast<int>(channels) * kind.bitDepth / 8);
    QByteArray raw;
    for (qsizetype p = 0; p < passes.size(); p += 4) {
        QByteArray prior;
        for (int y = passes[p + 1]; y < size.height() && passes[p] < size.width();
             y += passes[p + 3]) {
            QList<quint32> rowSamples;
            for (int x = passes[p]; x < size.width(); x += passes[p + 2]) {
                rowSamples.append(
                    samples.sliced((qsizetype{y} * size.width() + x) * channels, channels));
            }
            const QByteArray row = packRow(rowSamples, kind.bitDepth);
            prior.resize(row.size(), '\0');
            raw.append(filterRow(row, prior,
                                 kind.filter >= 0 ? kind.filter : (y + size.width()) % 5, step));
            prior = row;
        }
    }
    return raw;
}

} // namespace

QByteArray encodePng(const QImage& source, const PngKind& kind) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QList<QRgb> palette;
    QByteArray plte;
    QByteArray trns(kind.colour == PngColour::Grey ? 2 : 6, '\0'); // the key of samples of 0
    if (kind.colour == PngColour::Palette) {
        trns.clear();
        for (int i = 0; i < image.width() * image.height(); ++i) {
            const QRgb pixel = image.pixel(i % image.width(), i / image.width());
            if (!palette.contains(pixel) && palette.size() < (1 << kind.bitDepth)) {
                palette.append(pixel);
                plte.append(static_cast<char>(qRed(pixel)))
                    .append(static_cast<char>(qGreen(pixel)))
                    .append(static_cast<char>(qBlue(pixel)));
                trns.append(static_cast<char>(qAlpha(pixel)));
            }
        }
        plte = pngChunk("PLTE", plte);
    }
    return pngHeader(image.size(), kind) + plte +
           (kind.transparencyChunk ? pngChunk("tRNS", trns) : QByteArray()) +
           pngImageData(imageRows(image.size(), kind, samplesOf(image, kind, palette))) +
           pngChunk("IEND", {});
}

QByteArray encodePngSamples(QSize size, const PngKind& kind, const QList<quint32>& samples,
                            const QList<quint32>& transparent) {
    QByteArray trns;
    for (const quint32 sample : transparent) {
        trns.append(static_cast<char>(sample >> 8U)).append(static_cast<char>(sample));
    }
    return pngHeader(size, kind) +
           (kind.transparencyChunk ? pngChunk("tRNS", trns) : QByteArray()) +
           pngImageData(imageRows(size, kind, samples)) + pngChunk("IEND", {});
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    const QByteArray body = QByteArray(type, 4) + data;
    const auto crc = libdeflate_crc32(0, body.constData(), static_cast<std::size_t>(body.size()));
    return u32(static_cast<quint32>(data.size())) + body + u32(static_cast<quint32>(crc));
}

QByteArray pngHeader(QSize size, const PngKind& kind) {
    const char rest[] = {static_cast<char>(kind.bitDepth), static_cast<char>(kind.colour), 0, 0,
                         static_cast<char>(kind.interlaced ? 1 : 0)};
    return QByteArray("\x89PNG\r\n\x1a\n", 8) +
           pngChunk("IHDR", u32(size.width()) + u32(size.height()) + QByteArray(rest, 5));
}

QByteArray pngImageData(const QByteArray& rows) {
    return pngChunk("IDAT", qCompress(rows).mid(4)); // qCompress puts the length first
}

QByteArray encodeFlatPng(int width, int height, QRgb colour) {
    const char rgb[] = {static_cast<char>(qRed(colour)), static_cast<char>(qGreen(colour)),
                        static_cast<char>(qBlue(colour))};
    // Every row: filter type 0, then index 0 for every pixel.
    const QByteArray rows(static_cast<qsizetype>(height) * (1 + (width + 7) / 8), '\0');
    return pngHeader({width, height}, {PngColour::Palette, 1}) + pngChunk("PLTE", {rgb, 3}) +
           pngChunk("tRNS", QByteArray(1, static_cast<char>(qAlpha(colour)))) + pngImageData(rows) +
           pngChunk("IEND", {});
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
