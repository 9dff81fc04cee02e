// The window's own timings: an item click to the refreshed picture, and the
// start-up to the first picture, in this process and as a whole process.

#include "bench_library.h"
#include "benchmarks.h"
#include "render/draw_outfit.h"
#include "window_driver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace brindo::bench {

namespace {

// Sees the first paint of a widget.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

bool waitForPaint(const PaintWatch& watch) {
    QElapsedTimer waited;
    waited.start();
    while (!watch.painted && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return watch.painted;
}

// One item clicked again and again: every layer is unchanged.
void itemClick(benchmark::State& state, const BenchLibrary& library) {
    auto form = makeWindow(library.native);
    startShown(*form);
    dressFully(*form);
    const auto images =
        drawPlan(form->outfit(), resolveLibraryLayout(form->libraryFolder())).size();
    for (auto _ : state) {
        click(form->itemList(), QStringLiteral("01"));
    }
    state.counters["images"] = static_cast<double>(images);
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[at];
}

// Clicks every item of every category in turn, each timed to the refreshed
// picture, with a pause of `pauseMs` after each click (of a category too) in
// which the window handles its events; tells each click's category and
// milliseconds.
void clickEveryItem(MainWindow& form, int pauseMs,
                    const std::function<void(const QString& category, double ms)>& took) {
    for (const QString& category : form.categoryList()->rows()) {
        click(form.categoryList(), category);
        if (pauseMs > 0) {
            QTest::qWait(pauseMs);
        }
        for (const QString& item : form.itemList()->rows()) {
            const auto started = std::chrono::steady_clock::now();
            click(form.itemList(), item);
            took(category, std::chrono::duration<double, std::milli>(
                               std::chrono::steady_clock::now() - started)
                               .count());
            if (pauseMs > 0) {
                QTest::qWait(pauseMs);
            }
        }
    }
}

// Every item of every category clicked in turn, with every other slot on.
// A pass meets far more images than the cache keeps, so without a pause
// every new item's files are read in the click; with a pause, as a person
// takes between clicks, the next item's files are read ahead. The counters
// give the median, the 95th percentile and the slowest click, of all items
// and of the lowest layers (backgrounds and hair), and the highest median and
// 95th percentile of any one category, in ms.
void everyItem(benchmark::State& state, const BenchLibrary& library, int pauseMs) {
    auto form = makeWindow(library.native);
    startShown(*form);
    dressFully(*form);
    std::vector<double> all;
    std::vector<double> lowest;
    std::map<QString, std::vector<double>> byCategory;
    int differing = 0; // pictures unlike a full redraw, checked after each timed click
    for (auto _ : state) {
        double total = 0;
        clickEveryItem(*form, pauseMs, [&](const QString& category, double ms) {
            total += ms / 1000;
            all.push_back(ms);
            byCategory[category].push_back(ms);
            if (category == u"Backgrounds" || category == u"Hair") {
                lowest.push_back(ms);
            }
            const QStringList plan =
                drawPlan(form->outfit(), resolveLibraryLayout(form->libraryFolder(), category));
            differing +=
                equalsFullRedraw(form->canvasView()->canvas(), plan, form->libraryFolder()) ? 0 : 1;
        });
        state.SetIterationTime(total);
    }
    if (differing > 0) {
        state.SkipWithError("a click's picture differs from a full redraw");
    }
    state.counters["clicks"] = static_cast<double>(all.size());
    state.counters["median_ms"] = percentile(all, 0.5);
    state.counters["p95_ms"] = percentile(all, 0.95);
    state.counters["max_ms"] = percentile(all, 1.0);
    state.counters["lowest_median_ms"] = percentile(lowest, 0.5);
    state.counters["lowest_p95_ms"] = percentile(lowest, 0.95);
    double worstMedian = 0;
    double worstP95 = 0;
    for (const auto& [category, times] : byCategory) {
        worstMedian = std::max(worstMedian, percentile(times, 0.5));
        worstP95 = std::max(worstP95, percentile(times, 0.95));
    }
    state.counters["worst_category_median_ms"] = worstMedian;
    state.counters["worst_category_p95_ms"] = worstP95;
}

// The peak resident memory of a whole session in a child process (see
// runSessionChild), in MiB.
void sessionMemory(benchmark::State& state, const BenchLibrary& library) {
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--session-child=") + library.native});
        QElapsedTimer took;
        took.start();
        const bool ended = child.waitForFinished(600000) && child.exitCode() == 0;
        state.SetIterationTime(static_cast<double>(took.nsecsElapsed()) / 1e9);
        const QByteArray said = child.readAllStandardOutput();
        if (!ended || !said.startsWith("peak ")) {
            state.SkipWithError("the session child failed");
            break;
        }
        state.counters["peak_mib"] = said.mid(5).trimmed().toDouble() / (1 << 20);
    }
}

void startUp(benchmark::State& state, const BenchLibrary& library) {
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        auto form = makeWindow(library.native);
        PaintWatch watch;
        form->canvasView()->installEventFilter(&watch);
        form->start();
        const bool painted = waitForPaint(watch);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        state.SetIterationTime(took.count());
        form->canvasView()->removeEventFilter(&watch);
        if (!painted) {
            state.SkipWithError("the picture was never painted");
            break;
        }
    }
}

void processStartUp(benchmark::State& state, const BenchLibrary& library) {
    for (auto _ : state) {
        QProcess child;
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({QStringLiteral("--startup-child=") + library.native});
        QElapsedTimer took;
        took.start();
        child.start();
        bool painted = child.waitForReadyRead(10000);
        state.SetIterationTime(static_cast<double>(took.nsecsElapsed()) / 1e9);
        child.waitForFinished(10000);
        painted = painted && child.readAllStandardOutput().startsWith("painted");
        if (!painted) {
            state.SkipWithError("the child process drew nothing");
            break;
        }
    }
}

} // namespace

int runSessionChild(const QString& nativeLibrary) {
    auto form = makeWindow(nativeLibrary);
    form->start();
    dressFully(*form);
    for (int pass = 0; pass < 2; ++pass) {
        clickEveryItem(*form, 0, [](const QString& /*category*/, double /*ms*/) {});
    }
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            std::printf("peak %lld\n",
                        line.mid(6).trimmed().split(' ').front().toLongLong() * 1024);
        }
    }
    return 0;
}

int runStartUpChild(const QString& nativeLibrary) {
    auto form = makeWindow(nativeLibrary);
    PaintWatch watch;
    form->canvasView()->installEventFilter(&watch);
    form->start();
    if (!waitForPaint(watch)) {
        return 1;
    }
    std::fputs("painted\n", stdout);
    std::fflush(stdout);
    return 0;
}

// A quick person's pause between two clicks.
constexpr int kPauseMs = 100;

void registerWindowBenchmarks(const BenchLibrary& library) {
    const auto name = [&](const char* what) {
        return (QString::fromLatin1(what) + u'/' + library.name).toStdString();
    };
    benchmark::RegisterBenchmark(name("Window.itemClick").c_str(), itemClick, library)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(name("Window.everyItem").c_str(), everyItem, library, 0)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(2);
    benchmark::RegisterBenchmark(name("Window.everyItemPaced").c_str(), everyItem, library,
                                 kPauseMs)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(1);
    benchmark::RegisterBenchmark(name("Process.sessionMemory").c_str(), sessionMemory, library)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1);
    benchmark::RegisterBenchmark(name("Window.startUp").c_str(), startUp, library)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark(name("Process.startUp").c_str(), processStartUp, library)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(20);
}

} // namespace brindo::bench
