// One layer's decode by each way there is to decode it, and its blend.

#include "bench_library.h"
#include "benchmarks.h"
#include "catalogue/stored_path.h"
#include "render/blend.h"
#include "render/png/png_loading.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <png.h>
#include <zlib.h>
#ifdef BRINDO_BENCH_SPNG
#include <spng.h>
#endif

#include <cstring>
#include <vector>

namespace brindo::bench {

namespace {

QByteArray readAll(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// The IDAT chunks of a file, joined, and the size of the rows they inflate to.
std::pair<QByteArray, std::size_t> imageData(const QByteArray& png) {
    QByteArray joined;
    std::size_t inflated = 0;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto* chunk = reinterpret_cast<const uchar*>(png.constData() + at);
        const auto length = static_cast<qsizetype>(qFromBigEndian<quint32>(chunk));
        if (std::memcmp(chunk + 4, "IHDR", 4) == 0) {
            const std::size_t width = qFromBigEndian<quint32>(chunk + 8);
            inflated = qFromBigEndian<quint32>(chunk + 12) * (width * 4 + 1);
        } else if (std::memcmp(chunk + 4, "IDAT", 4) == 0) {
            joined += png.mid(at + 8, length);
        }
        at += 12 + length;
    }
    return {joined, inflated};
}

void decodeQt(benchmark::State& state, const QString& file) {
    for (auto _ : state) {
        QImageReader reader(file, "png");
        QImage image;
        reader.read(&image);
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void decodeOurs(benchmark::State& state, const QString& file) {
    for (auto _ : state) {
        const LoadedPicture picture = decodePngFile(file);
        benchmark::DoNotOptimize(picture.image.constBits());
    }
}

void decodeLibpng(benchmark::State& state, const QString& file) {
    const QByteArray name = QFile::encodeName(file);
    for (auto _ : state) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_file(&image, name.constData());
        image.format = PNG_FORMAT_BGRA;
        std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        png_image_free(&image);
        benchmark::DoNotOptimize(pixels.data());
    }
}

#ifdef BRINDO_BENCH_SPNG
void decodeSpng(benchmark::State& state, const QString& file) {
    for (auto _ : state) {
        const QByteArray bytes = readAll(file);
        spng_ctx* context = spng_ctx_new(0);
        spng_set_png_buffer(context, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        std::size_t size = 0;
        spng_decoded_image_size(context, SPNG_FMT_RGBA8, &size);
        std::vector<unsigned char> pixels(size);
        spng_decode_image(context, pixels.data(), size, SPNG_FMT_RGBA8, 0);
        spng_ctx_free(context);
        benchmark::DoNotOptimize(pixels.data());
    }
}
#endif

void inflateZlib(benchmark::State& state, const QString& file) {
    const auto [data, size] = imageData(readAll(file));
    std::vector<Bytef> rows(size);
    for (auto _ : state) {
        uLongf written = rows.size();
        uncompress(rows.data(), &written, reinterpret_cast<const Bytef*>(data.constData()),
                   static_cast<uLong>(data.size()));
        benchmark::DoNotOptimize(rows.data());
    }
}

void inflateLibdeflate(benchmark::State& state, const QString& file) {
    const auto [data, size] = imageData(readAll(file));
    std::vector<unsigned char> rows(size);
    libdeflate_decompressor* inflater = libdeflate_alloc_decompressor();
    for (auto _ : state) {
        libdeflate_zlib_decompress(inflater, data.constData(),
                                   static_cast<std::size_t>(data.size()), rows.data(), rows.size(),
                                   nullptr);
        benchmark::DoNotOptimize(rows.data());
    }
    libdeflate_free_decompressor(inflater);
}

enum class BlendWay { QPainterWhole, QPainterVisible, Spans };

void blend(benchmark::State& state, const QString& file, BlendWay way) {
    const LoadedPicture picture = decodePngFile(file);
    QImage canvas(picture.image.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const QRect part =
        way == BlendWay::QPainterWhole ? picture.image.rect() : picture.coverage.visible;
    for (auto _ : state) {
        if (way == BlendWay::Spans) {
            blendPicture(canvas, picture.image, picture.coverage, {}, 0, canvas.height());
        } else {
            QPainter painter(&canvas);
            painter.drawImage(part.topLeft(), picture.image, part);
        }
    }
}

} // namespace

void registerDecodeBenchmarks(const BenchLibrary& library) {
    const auto add = [&](const char* what, const char* relative, auto function, auto... extra) {
        const QString file = nativePath(library.file(QString::fromLatin1(relative)));
        const QString name =
            QStringLiteral("%1/%2/%3")
                .arg(QString::fromLatin1(what), library.name, QString::fromLatin1(relative));
        benchmark::RegisterBenchmark(name.toUtf8().constData(), function, file, extra...)
            ->Unit(benchmark::kMillisecond);
    };
    for (const char* layer : {"10195.png", "Backgrounds/01.png", "Tops/01.png"}) {
        add("Decode.Qt", layer, decodeQt);
        add("Decode.libpng", layer, decodeLibpng);
#ifdef BRINDO_BENCH_SPNG
        add("Decode.libspng", layer, decodeSpng);
#endif
        add("Decode.ours", layer, decodeOurs);
    }
    add("Inflate.zlib", "10195.png", inflateZlib);
    add("Inflate.libdeflate", "10195.png", inflateLibdeflate);
    for (const char* layer : {"Backgrounds/01.png", "Tops/01.png"}) {
        add("Blend.whole", layer, blend, BlendWay::QPainterWhole);
        add("Blend.visiblePart", layer, blend, BlendWay::QPainterVisible);
        add("Blend.spans", layer, blend, BlendWay::Spans);
    }
}

} // namespace brindo::bench
