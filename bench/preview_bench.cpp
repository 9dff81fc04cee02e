// The previews' timings: a category of 200 or 2,000 items opened with the
// previews on and off (the list shown, and all its previews ready), and an
// item click while previews are being made.

#include "bench_library.h"
#include "benchmarks.h"
#include "window_driver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>

namespace brindo::bench {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point started) {
    return std::chrono::duration<double>(Clock::now() - started).count();
}

bool previewsReady(const MainWindow& form) {
    QDeadlineTimer deadline(120000);
    while (form.previews()->outstanding() > 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return form.previews()->outstanding() == 0;
}

// A fresh window on the preview library at zoom 1, the categories' previews
// made, so that nothing is kept of the category about to open.
std::unique_ptr<MainWindow> previewWindow(const BenchLibrary& library, bool previews) {
    auto form = makeWindow(previewLibrary(library));
    startShown(*form);
    form->setZoom(1);
    form->setPreviewsShown(previews);
    previewsReady(*form);
    return form;
}

QString category(int items) {
    return QStringLiteral("Tops %1").arg(items);
}

// A click on the category to the item list painted with its rows (previews
// still placeholders, or none).
void listShown(benchmark::State& state, const BenchLibrary& library, int items, bool previews) {
    for (auto _ : state) {
        const auto form = previewWindow(library, previews);
        const auto started = Clock::now();
        click(form->categoryList(), category(items));
        form->itemList()->repaint();
        state.SetIterationTime(secondsSince(started));
    }
}

// A click on the category to the last of its previews shown; the counters
// give what the previews then keep.
void allReady(benchmark::State& state, const BenchLibrary& library, int items) {
    for (auto _ : state) {
        const auto form = previewWindow(library, true);
        const auto started = Clock::now();
        click(form->categoryList(), category(items));
        const bool ready = previewsReady(*form);
        state.SetIterationTime(secondsSince(started));
        if (!ready) {
            state.SkipWithError("the previews were never ready");
            break;
        }
        state.counters["kept"] = static_cast<double>(form->previews()->keptCount());
        state.counters["kept_kib"] = static_cast<double>(form->previews()->keptBytes()) / 1024;
    }
}

// Window.itemClick's click, fully dressed, while the 2,000 previews of the
// open category are being made; the window handles its events for a moment
// between two clicks, as between a person's, so the previews arrive.
void itemClickWhilePreviewing(benchmark::State& state, const BenchLibrary& library) {
    const auto form = previewWindow(library, true);
    dressFully(*form);
    click(form->categoryList(), category(2000));
    click(form->itemList(), QStringLiteral("0001"));
    int idle = 0;
    for (auto _ : state) {
        const auto started = Clock::now();
        click(form->itemList(), QStringLiteral("0001"));
        state.SetIterationTime(secondsSince(started));
        idle += form->previews()->outstanding() == 0 ? 1 : 0;
        QTest::qWait(2);
    }
    if (idle > 0) {
        state.SkipWithError("the previews were ready before the clicks ended");
    }
}

} // namespace

void registerPreviewBenchmarks(const BenchLibrary& library) {
    // Thousands of items drawn at the large size would take gigabytes: the
    // previews are timed at the sample library's own size.
    if (library.name != u"native") {
        return;
    }
    const auto name = [&](const char* what, int items) {
        QString full = QString::fromLatin1(what) + u'/' + library.name;
        return (items > 0 ? full + u'/' + QString::number(items) : full).toStdString();
    };
    for (const int items : {200, 2000}) {
        benchmark::RegisterBenchmark(name("Preview.listShown", items).c_str(), listShown, library,
                                     items, true)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(5);
        benchmark::RegisterBenchmark(name("Preview.listShownOff", items).c_str(), listShown,
                                     library, items, false)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(5);
    }
    benchmark::RegisterBenchmark(name("Preview.allReady", 200).c_str(), allReady, library, 200)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1);
    benchmark::RegisterBenchmark(name("Preview.itemClick", 0).c_str(), itemClickWhilePreviewing,
                                 library)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(100);
}

} // namespace brindo::bench
