// Redraws of whole outfits, and the fixed costs around the decoding.

#include "bench_library.h"
#include "benchmarks.h"
#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"
#include "render/png/png_painter.h"

#include <QImageReader>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace brindo::bench {

namespace {

// The same painter without being told the plan: every layer is decoded
// on the calling thread.
class OneThreadPicture : public LayerPainter {
public:
    explicit OneThreadPicture(const QString& folder) : inner_(folder) {}
    LoadResult load(const QString& path) override { return inner_.load(path); }
    int width() const override { return inner_.width(); }
    int height() const override { return inner_.height(); }
    void drawOn(QImage* surface, int x, int y) override { inner_.drawOn(surface, x, y); }

private:
    PngPainter inner_;
};

// The painter as it was before: Qt's reader, and the whole picture drawn.
class QtReaderPicture : public LayerPainter {
public:
    explicit QtReaderPicture(QString folder) : folder_(std::move(folder)) {}
    LoadResult load(const QString& path) override {
        QImageReader reader(locateImage(path, folder_), "png");
        image_ = QImage();
        reader.read(&image_);
        image_.convertTo(QImage::Format_ARGB32_Premultiplied);
        return image_.isNull() ? LoadResult::NotDecodable : LoadResult::Loaded;
    }
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    void drawOn(QImage* surface, int x, int y) override {
        if (!image_.isNull()) {
            QPainter(surface).drawImage(x, y, image_);
        }
    }

private:
    QString folder_;
    QImage image_;
};

template <typename Component>
void redraw(benchmark::State& state, const BenchLibrary& library, const Outfit& outfit) {
    Component png(library.stored);
    png.load(library.file(QStringLiteral("10195.png")));
    CanvasImage canvas;
    canvas.resize(png.width(), png.height());
    for (auto _ : state) {
        drawOutfit(drawPlan(outfit, resolveLibraryLayout(library.stored)), png, canvas);
    }
    state.counters["images"] =
        static_cast<double>(drawPlan(outfit, resolveLibraryLayout(library.stored)).size());
}

void planOnly(benchmark::State& state, const BenchLibrary& library, const Outfit& outfit) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(drawPlan(outfit, resolveLibraryLayout(library.stored)));
    }
}

void locateAll(benchmark::State& state, const BenchLibrary& library) {
    const QStringList plan = drawPlan(fullOutfit(library), resolveLibraryLayout(library.stored));
    for (auto _ : state) {
        for (const QString& path : plan) {
            benchmark::DoNotOptimize(locateImage(path, library.stored));
        }
    }
}

void clearCanvas(benchmark::State& state, const BenchLibrary& library) {
    PngPainter png(library.stored);
    png.load(library.file(QStringLiteral("10195.png")));
    CanvasImage canvas;
    canvas.resize(png.width(), png.height());
    for (auto _ : state) {
        canvas.clear();
    }
}

} // namespace

void registerOutfitBenchmarks(const BenchLibrary& library) {
    const QString prefix = QStringLiteral("/") + library.name;
    const auto name = [&](const char* what) {
        return (QString::fromLatin1(what) + prefix).toStdString();
    };
    const Outfit full = fullOutfit(library);
    const Outfit readyMade = readyMadeOutfit(library);
    const auto add = [&](const char* what, auto function, const Outfit& outfit) {
        benchmark::RegisterBenchmark(name(what).c_str(), function, library, outfit)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    add("Redraw.layered", redraw<PngPainter>, full);
    add("Redraw.readyMade", redraw<PngPainter>, readyMade);
    add("Redraw.layered.oneThread", redraw<OneThreadPicture>, full);
    add("Redraw.layered.qtReader", redraw<QtReaderPicture>, full);
    add("Redraw.readyMade.qtReader", redraw<QtReaderPicture>, readyMade);
    benchmark::RegisterBenchmark(name("Fixed.drawPlan.layered").c_str(), planOnly, library, full)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(name("Fixed.drawPlan.readyMade").c_str(), planOnly, library,
                                 readyMade)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(name("Fixed.locateImage.x17").c_str(), locateAll, library)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(name("Fixed.clearCanvas").c_str(), clearCanvas, library)
        ->Unit(benchmark::kMicrosecond);
}

} // namespace brindo::bench
