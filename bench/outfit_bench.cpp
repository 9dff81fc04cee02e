// Redraws of whole outfits, and the fixed costs around the decoding.

#include "bench_library.h"
#include "benchmarks.h"
#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"

#include <QImageReader>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace brindo::bench {

namespace {

// The way before the program's own decoder: Qt's reader, and the whole
// picture drawn with QPainter.
void redrawWithQtReader(benchmark::State& state, const BenchLibrary& library,
                        const Outfit& outfit) {
    CanvasImage canvas;
    const QSize size = QImageReader(nativePath(library.file(QStringLiteral("10195.png")))).size();
    canvas.resize(size.width(), size.height());
    const QStringList plan = drawPlan(outfit, resolveLibraryLayout(library.stored));
    for (auto _ : state) {
        canvas.clear();
        QPainter painter(canvas.surface());
        for (const QString& path : plan) {
            QImage image;
            QImageReader(locateImage(path, library.stored), "png").read(&image);
            image.convertTo(QImage::Format_ARGB32_Premultiplied);
            painter.drawImage(0, 0, image);
        }
    }
    state.counters["images"] = static_cast<double>(plan.size());
}

enum class Way { EveryFile, EveryFileOneThread, Cached };

LayerCompositor::Settings settingsFor(Way way, const BenchLibrary& library) {
    LayerCompositor::Settings settings = LayerCompositor::windowSettings(library.stored);
    settings.keepBottom = false; // every redraw blends every layer
    if (way != Way::Cached) {
        settings.cacheBounds = {};
    }
    if (way == Way::EveryFileOneThread) {
        settings.decodeThreads = 0;
    }
    return settings;
}

// A whole redraw: every file decoded (on every core, or on this thread), or
// every layer from the cache and blended afresh.
void redraw(benchmark::State& state, const BenchLibrary& library, const Outfit& outfit, Way way) {
    LayerCompositor compositor(settingsFor(way, library));
    const Layer base = compositor.picture(library.file(QStringLiteral("10195.png")));
    CanvasImage canvas;
    canvas.resize(base->image.width(), base->image.height());
    const QStringList plan = drawPlan(outfit, resolveLibraryLayout(library.stored));
    drawOutfit(plan, compositor, canvas);
    for (auto _ : state) {
        drawOutfit(plan, compositor, canvas);
    }
    state.counters["images"] = static_cast<double>(plan.size());
    if (!equalsFullRedraw(canvas, plan, library.stored)) {
        state.SkipWithError("the picture differs from a full redraw");
    }
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
    CanvasImage canvas;
    const QSize size = QImageReader(nativePath(library.file(QStringLiteral("10195.png")))).size();
    canvas.resize(size.width(), size.height());
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
    const auto add = [&](const char* what, auto function, const Outfit& outfit, auto... way) {
        benchmark::RegisterBenchmark(name(what).c_str(), function, library, outfit, way...)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    add("Redraw.layered", redraw, full, Way::EveryFile);
    add("Redraw.readyMade", redraw, readyMade, Way::EveryFile);
    add("Redraw.layered.oneThread", redraw, full, Way::EveryFileOneThread);
    add("Redraw.layered.cached", redraw, full, Way::Cached);
    add("Redraw.readyMade.cached", redraw, readyMade, Way::Cached);
    add("Redraw.layered.qtReader", redrawWithQtReader, full);
    add("Redraw.readyMade.qtReader", redrawWithQtReader, readyMade);
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
