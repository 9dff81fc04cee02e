#include "support/test_images.h"

#include <QList>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdlib>

namespace brindo::test {

namespace {

quint32 crc32(const QByteArray& data) {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1U) : c >> 1U;
            }
            t.at(n) = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFU;
    for (const char byte : data) {
        crc = table.at((crc ^ static_cast<quint8>(byte)) & 0xFFU) ^ (crc >> 8U);
    }
    return crc ^ 0xFFFFFFFFU;
}

void appendU32(QByteArray& out, quint32 value) {
    std::array<uchar, 4> bytes{};
    qToBigEndian(value, bytes.data());
    out.append(reinterpret_cast<const char*>(bytes.data()), 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data) {
    appendU32(out, static_cast<quint32>(data.size()));
    QByteArray body(type, 4);
    body.append(data);
    out.append(body);
    appendU32(out, crc32(body));
}

// Packs samples of `bitDepth` bits (each given as 0..65535 for 16-bit, or as
// the value itself below that) into a filtered scanline (filter type 0).
QByteArray packRow(const QList<quint32>& samples, int bitDepth) {
    QByteArray row(1, '\0');
    if (bitDepth >= 8) {
        for (const quint32 sample : samples) {
            if (bitDepth == 16) {
                row.append(static_cast<char>(sample >> 8U));
            }
            row.append(static_cast<char>(sample & 0xFFU));
        }
        return row;
    }
    int used = 0;
    quint32 current = 0;
    for (const quint32 sample : samples) {
        current = (current << static_cast<quint32>(bitDepth)) | sample;
        used += bitDepth;
        if (used == 8) {
            row.append(static_cast<char>(current));
            used = 0;
            current = 0;
        }
    }
    if (used > 0) {
        row.append(static_cast<char>(current << static_cast<quint32>(8 - used)));
    }
    return row;
}

quint32 scale(int value8, int bitDepth) {
    if (bitDepth == 16) {
        return static_cast<quint32>(value8) * 257U;
    }
    return static_cast<quint32>(value8) >> static_cast<quint32>(8 - bitDepth);
}

struct Encoder {
    QImage image;
    PngKind kind;
    QList<QRgb> palette;

    QList<quint32> samplesOf(int x, int y) const {
        const QRgb pixel = image.pixel(x, y);
        const int d = kind.bitDepth;
        const bool clear = qAlpha(pixel) == 0;
        switch (kind.colour) {
        case PngColour::Grey:
            return {clear && kind.transparencyChunk ? 0U : std::max(1U, scale(qRed(pixel), d))};
        case PngColour::Rgb:
            if (clear && kind.transparencyChunk) {
                return {0U, 0U, 0U};
            }
            return {std::max(1U, scale(qRed(pixel), d)), scale(qGreen(pixel), d),
                    scale(qBlue(pixel), d)};
        case PngColour::Palette:
            return {static_cast<quint32>(palette.indexOf(pixel))};
        case PngColour::GreyAlpha:
            return {scale(qRed(pixel), d), scale(qAlpha(pixel), d)};
        case PngColour::Rgba:
            return {scale(qRed(pixel), d), scale(qGreen(pixel), d), scale(qBlue(pixel), d),
                    scale(qAlpha(pixel), d)};
        }
        return {};
    }

    QByteArray pass(int x0, int y0, int dx, int dy) const {
        QByteArray raw;
        for (int y = y0; y < image.height(); y += dy) {
            QList<quint32> samples;
            for (int x = x0; x < image.width(); x += dx) {
                samples.append(samplesOf(x, y));
            }
            if (!samples.isEmpty()) {
                raw.append(packRow(samples, kind.bitDepth));
            }
        }
        return raw;
    }

    QByteArray imageData() const {
        if (!kind.interlaced) {
            return pass(0, 0, 1, 1);
        }
        struct Pass {
            int x0, y0, dx, dy;
        };
        constexpr std::array<Pass, 7> kAdam7{{{0, 0, 8, 8},
                                              {4, 0, 8, 8},
                                              {0, 4, 4, 8},
                                              {2, 0, 4, 4},
                                              {0, 2, 2, 4},
                                              {1, 0, 2, 2},
                                              {0, 1, 1, 2}}};
        QByteArray raw;
        for (const Pass& p : kAdam7) {
            raw.append(pass(p.x0, p.y0, p.dx, p.dy));
        }
        return raw;
    }
};

} // namespace

QByteArray encodePng(const QImage& source, const PngKind& kind) {
    Encoder encoder{source.convertToFormat(QImage::Format_ARGB32), kind, {}};
    if (kind.colour == PngColour::Palette) {
        for (int y = 0; y < encoder.image.height(); ++y) {
            for (int x = 0; x < encoder.image.width(); ++x) {
                const QRgb pixel = encoder.image.pixel(x, y);
                if (!encoder.palette.contains(pixel) &&
                    encoder.palette.size() < (1 << kind.bitDepth)) {
                    encoder.palette.append(pixel);
                }
                if (!encoder.palette.contains(pixel)) {
                    encoder.image.setPixel(x, y, encoder.palette.constFirst());
                }
            }
        }
    }

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendU32(header, static_cast<quint32>(source.width()));
    appendU32(header, static_cast<quint32>(source.height()));
    header.append(static_cast<char>(kind.bitDepth));
    header.append(static_cast<char>(kind.colour));
    header.append('\0').append('\0').append(kind.interlaced ? '\1' : '\0');
    appendChunk(png, "IHDR", header);

    if (kind.colour == PngColour::Palette) {
        QByteArray plte;
        QByteArray trns;
        for (const QRgb colour : encoder.palette) {
            plte.append(static_cast<char>(qRed(colour)))
                .append(static_cast<char>(qGreen(colour)))
                .append(static_cast<char>(qBlue(colour)));
            trns.append(static_cast<char>(qAlpha(colour)));
        }
        appendChunk(png, "PLTE", plte);
        if (kind.transparencyChunk) {
            appendChunk(png, "tRNS", trns);
        }
    } else if (kind.transparencyChunk && kind.colour == PngColour::Grey) {
        appendChunk(png, "tRNS", QByteArray(2, '\0'));
    } else if (kind.transparencyChunk && kind.colour == PngColour::Rgb) {
        appendChunk(png, "tRNS", QByteArray(6, '\0'));
    }

    // qCompress gives a zlib stream behind a four-byte length.
    appendChunk(png, "IDAT", qCompress(encoder.imageData()).mid(4));
    appendChunk(png, "IEND", {});
    return png;
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray chunk;
    appendChunk(chunk, type, data);
    return chunk;
}

QByteArray encodeFlatPng(int width, int height, QRgb colour) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendU32(header, static_cast<quint32>(width));
    appendU32(header, static_cast<quint32>(height));
    header.append("\x01\x03\x00\x00\x00", 5); // 1 bit, palette, not interlaced
    appendChunk(png, "IHDR", header);
    appendChunk(png, "PLTE",
                QByteArray(1, static_cast<char>(qRed(colour)))
                    .append(static_cast<char>(qGreen(colour)))
                    .append(static_cast<char>(qBlue(colour))));
    appendChunk(png, "tRNS", QByteArray(1, static_cast<char>(qAlpha(colour))));
    // Every row: filter type 0, then index 0 for every pixel.
    const QByteArray rows(static_cast<qsizetype>(height) * (1 + (width + 7) / 8), '\0');
    appendChunk(png, "IDAT", qCompress(rows).mid(4));
    appendChunk(png, "IEND", {});
    return png;
}

QImage samplePicture(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = (x + y) % 3 == 0 ? 0 : ((x + y) % 3 == 1 ? 255 : 128);
            image.setPixel(x, y, qRgba(30 * x % 256, 40 * y % 256, (x * y * 7) % 256, alpha));
        }
    }
    return image;
}

int maxChannelDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return 256;
    }
    const QImage pa = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage pb = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int worst = 0;
    for (int y = 0; y < pa.height(); ++y) {
        for (int x = 0; x < pa.width(); ++x) {
            const QRgb p = pa.pixel(x, y);
            const QRgb q = pb.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return worst;
}

} // namespace brindo::test
