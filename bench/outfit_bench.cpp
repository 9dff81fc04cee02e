// DrawOutfit of whole outfits, and the fixed costs around the decoding.

#include "bench_library.h"
#include "benchmarks.h"
#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"
#include "render/png_picture.h"

#include <QImageReader>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace brindo::bench {

namespace {

// The same component without being told the plan: every layer is decoded
// on the calling thread.
class OneThreadPicture : public PictureComponent {
public:
    explicit OneThreadPicture(const QString& folder) : inner_(folder) {}
    int LoadFile(const QString& path) override { return inner_.LoadFile(path); }
    int ImageWidth() const override { return inner_.ImageWidth(); }
    int ImageHeight() const override { return inner_.ImageHeight(); }
    void DrawTo(DeviceContext dc, int x, int y) override { inner_.DrawTo(dc, x, y); }

private:
    PNGPicture inner_;
};

// The component as it was before: Qt's reader, and the whole picture drawn.
class QtReaderPicture : public PictureComponent {
public:
    explicit QtReaderPicture(QString folder) : folder_(std::move(folder)) {}
    int LoadFile(const QString& path) override {
        QImageReader reader(locateImage(path, folder_), "png");
        image_ = QImage();
        reader.read(&image_);
        image_.convertTo(QImage::Format_ARGB32_Premultiplied);
        return image_.isNull() ? kNotDecodable : kLoaded;
    }
    int ImageWidth() const override { return image_.width(); }
    int ImageHeight() const override { return image_.height(); }
    void DrawTo(DeviceContext dc, int x, int y) override {
        if (!image_.isNull()) {
            QPainter(dc).drawImage(x, y, image_);
        }
    }

private:
    QString folder_;
    QImage image_;
};

template <typename Component>
void drawOutfit(benchmark::State& state, const BenchLibrary& library, const OutfitState& outfit) {
    Component png(library.stored);
    png.LoadFile(library.file(QStringLiteral("10195.png")));
    CanvasImage canvas;
    canvas.resize(png.ImageWidth(), png.ImageHeight());
    for (auto _ : state) {
        DrawOutfit(outfit, library.stored, png, canvas);
    }
    state.counters["images"] = static_cast<double>(drawPlan(outfit, library.stored).size());
}

void planOnly(benchmark::State& state, const BenchLibrary& library, const OutfitState& outfit) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(drawPlan(outfit, library.stored));
    }
}

void locateAll(benchmark::State& state, const BenchLibrary& library) {
    const QStringList plan = drawPlan(fullOutfit(library), library.stored);
    for (auto _ : state) {
        for (const QString& path : plan) {
            benchmark::DoNotOptimize(locateImage(path, library.stored));
        }
    }
}

void clearCanvas(benchmark::State& state, const BenchLibrary& library) {
    PNGPicture png(library.stored);
    png.LoadFile(library.file(QStringLiteral("10195.png")));
    CanvasImage canvas;
    canvas.resize(png.ImageWidth(), png.ImageHeight());
    for (auto _ : state) {
        canvas.Cls();
    }
}

} // namespace

void registerOutfitBenchmarks(const BenchLibrary& library) {
    const QString prefix = QStringLiteral("/") + library.name;
    const auto name = [&](const char* what) {
        return (QString::fromLatin1(what) + prefix).toStdString();
    };
    const OutfitState full = fullOutfit(library);
    const OutfitState readyMade = readyMadeOutfit(library);
    const auto add = [&](const char* what, auto function, const OutfitState& outfit) {
        benchmark::RegisterBenchmark(name(what).c_str(), function, library, outfit)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    add("DrawOutfit.layered", drawOutfit<PNGPicture>, full);
    add("DrawOutfit.readyMade", drawOutfit<PNGPicture>, readyMade);
    add("DrawOutfit.layered.oneThread", drawOutfit<OneThreadPicture>, full);
    add("DrawOutfit.layered.qtReader", drawOutfit<QtReaderPicture>, full);
    add("DrawOutfit.readyMade.qtReader", drawOutfit<QtReaderPicture>, readyMade);
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
