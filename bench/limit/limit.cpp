// brindo-limit qt
// brindo-limit work OUT.bmp LAYER.png...
//
// What composing the layers costs at the least, part by part, as the peers
// comparison sums it up into "the limit": `qt` starts, loads Qt as brindo-cli
// does and ends (the comparison times the whole process). `work` times, in
// this process, inflating every layer's image data with libdeflate and
// nothing else, one pass of source over blending of every layer's whole area
// onto an opaque canvas, and writing that canvas as a new 24-bit BMP file
// beside OUT.bmp; each the median of five runs, printed in milliseconds as
// "inflate_ms blend_ms write_ms".

#include "render/blend.h"
#include "render/png/png_decode.h"
#include "render/png/png_loading.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <libdeflate.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Layer {
    QByteArray imageData;                // the IDAT chunks, joined
    std::vector<unsigned char> inflated; // room for the filtered rows
    QImage pixels;                       // premultiplied ARGB32
};

Layer readLayer(const char* file) {
    QFile in(QString::fromLocal8Bit(file));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "brindo-limit: cannot read %s\n", file);
        std::exit(1);
    }
    const QByteArray png = in.readAll();
    const auto header = brindo::readPngHeader(png);
    if (!header) {
        std::fprintf(stderr, "brindo-limit: %s is not a PNG file\n", file);
        std::exit(1);
    }
    Layer layer;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto* chunk = reinterpret_cast<const uchar*>(png.constData() + at);
        const auto length = static_cast<qsizetype>(qFromBigEndian<quint32>(chunk));
        if (std::memcmp(chunk + 4, "IDAT", 4) == 0) {
            layer.imageData += png.mid(at + 8, length);
        }
        at += 12 + length;
    }
    layer.inflated.resize(header->inflatedSize());
    layer.pixels = brindo::decodePngFile(QString::fromLocal8Bit(file)).image;
    return layer;
}

double medianMs(const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        const auto started = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void put32(unsigned char* at, std::uint32_t value) {
    qToLittleEndian(value, at);
}

// The canvas as a new 24-bit BMP file, bottom row first, converted and
// written a quarter of a megabyte at a time.
bool writeBmp(const std::string& file, const QImage& canvas, std::vector<unsigned char>& piece) {
    const auto width = static_cast<std::uint32_t>(canvas.width());
    const auto height = static_cast<std::uint32_t>(canvas.height());
    const std::uint32_t rowSize = (width * 3 + 3) & ~3U;
    const std::uint32_t rowsAPiece = std::max(1U, (256U << 10U) / rowSize);
    piece.assign(std::size_t{rowsAPiece} * rowSize + 54 + 1, 0);
    unsigned char* header = piece.data();
    header[0] = 'B';
    header[1] = 'M';
    put32(header + 2, 54 + rowSize * height);
    put32(header + 10, 54);
    put32(header + 14, 40);
    put32(header + 18, width);
    put32(header + 22, height);
    put32(header + 26, 1 | (24U << 16U));
    put32(header + 34, rowSize * height);
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    bool written = descriptor >= 0 && ::write(descriptor, header, 54) == 54;
    for (std::uint32_t done = 0; written && done < height;) {
        const std::uint32_t rows = std::min(rowsAPiece, height - done);
        for (std::uint32_t i = 0; i < rows; ++i, ++done) {
            const auto* in = reinterpret_cast<const QRgb*>(
                canvas.constScanLine(static_cast<int>(height - 1 - done)));
            unsigned char* out = piece.data() + std::size_t{i} * rowSize;
            for (std::uint32_t x = 0; x < width; ++x) {
                std::memcpy(out + 3 * x, in + x, 4); // the next pixel overwrites the fourth byte
            }
        }
        const auto bytes = static_cast<ssize_t>(std::size_t{rows} * rowSize);
        written = ::write(descriptor, piece.data(), static_cast<std::size_t>(bytes)) == bytes;
    }
    return descriptor >= 0 && ::close(descriptor) == 0 && written;
}

int work(int count, char** files, const char* out) {
    std::vector<Layer> layers;
    for (int i = 0; i < count; ++i) {
        layers.push_back(readLayer(files[i]));
    }
    libdeflate_decompressor* inflater = libdeflate_alloc_decompressor();
    const double inflateMs = medianMs([&] {
        for (Layer& layer : layers) {
            libdeflate_zlib_decompress(inflater, layer.imageData.constData(),
                                       static_cast<std::size_t>(layer.imageData.size()),
                                       layer.inflated.data(), layer.inflated.size(), nullptr);
        }
    });
    libdeflate_free_decompressor(inflater);

    QImage canvas(layers.front().pixels.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const double blendMs = medianMs([&] {
        for (const Layer& layer : layers) {
            const int width = std::min(layer.pixels.width(), canvas.width());
            const int height = std::min(layer.pixels.height(), canvas.height());
            for (int y = 0; y < height; ++y) {
                brindo::blendSpan(reinterpret_cast<const QRgb*>(layer.pixels.constScanLine(y)),
                                  reinterpret_cast<QRgb*>(canvas.scanLine(y)), width);
            }
        }
    });

    // A new file each time, as a program that writes its picture makes one.
    std::vector<unsigned char> piece;
    bool written = true;
    int run = 0;
    const double writeMs = medianMs([&] {
        const std::string file = std::string(out) + "." + std::to_string(run++);
        written = writeBmp(file, canvas, piece) && written;
    });
    for (int i = 0; i < run; ++i) {
        std::remove((std::string(out) + "." + std::to_string(i)).c_str());
    }
    if (!written) {
        std::fprintf(stderr, "brindo-limit: cannot write %s\n", out);
        return 1;
    }
    std::printf("%.3f %.3f %.3f\n", inflateMs, blendMs, writeMs);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv); // loads Qt as brindo-cli does
    if (argc == 2 && std::strcmp(argv[1], "qt") == 0) {
        return QImage().isNull() ? 0 : 1; // Qt's GUI library is loaded, as brindo-cli's is
    }
    if (argc >= 4 && std::strcmp(argv[1], "work") == 0) {
        return work(argc - 3, argv + 3, argv[2]);
    }
    std::fputs("usage: brindo-limit qt | brindo-limit work OUT.bmp LAYER.png...\n", stderr);
    return 2;
}
