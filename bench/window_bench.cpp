// The window's own timings: an item click to the refreshed picture, and the
// start-up to the first picture, in this process and as a whole process.

#include "app/main_window.h"
#include "bench_library.h"
#include "benchmarks.h"
#include "render/draw_outfit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>

namespace brindo::bench {

namespace {

// Answers no dialog and prints what the window would tell the user.
class QuietDialogs : public UserDialogs {
public:
    std::optional<QString> askOpenFile(QWidget* /*parent*/,
                                       const FileDialogSettings& /*settings*/) override {
        return std::nullopt;
    }
    std::optional<QString> askSaveFile(QWidget* /*parent*/,
                                       const FileDialogSettings& /*settings*/) override {
        return std::nullopt;
    }
    void tellProblem(QWidget* /*parent*/, const QString& message) override {
        std::fprintf(stderr, "brindo-bench: the window says: %s\n", qPrintable(message));
    }
};

std::unique_ptr<MainWindow> makeWindow(const QString& nativeLibrary) {
    return std::make_unique<MainWindow>(nativeLibrary, std::make_unique<QuietDialogs>());
}

void click(ListBox* list, const QString& row) {
    const int found = list->rowOf(row);
    if (found < 0) {
        std::fprintf(stderr, "brindo-bench: no row \"%s\"\n", qPrintable(row));
        std::exit(2);
    }
    list->scrollToItem(list->item(found));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(found)).center());
}

void pick(MainWindow& form, const char* category, const char* item) {
    click(form.categoryList(), QString::fromLatin1(category));
    click(form.itemList(), QString::fromLatin1(item));
}

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

// Every layer slot on, through the lists as a person would, then Tops open.
void itemClick(benchmark::State& state, const BenchLibrary& library) {
    auto form = makeWindow(library.native);
    form->start();
    const char* picks[][2] = {
        {"Backgrounds", "01"}, {"Bottoms", "01"},     {"Eyes", "Round"},          {"Eyewear", "01"},
        {"Footwear", "01"},    {"Foregrounds", "01"}, {"Friends and pets", "01"}, {"Hair", "Long"},
        {"Hats", "01"},        {"Interests", "01"},   {"Mouth", "Cheeky"},        {"Other", "01"},
        {"Tops", "01"},
    };
    for (const auto& [category, item] : picks) {
        pick(*form, category, item);
    }
    const auto images =
        drawPlan(form->outfit(), resolveLibraryLayout(form->libraryFolder())).size();
    for (auto _ : state) {
        click(form->itemList(), QStringLiteral("01"));
    }
    state.counters["images"] = static_cast<double>(images);
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

void registerWindowBenchmarks(const BenchLibrary& library) {
    const auto name = [&](const char* what) {
        return (QString::fromLatin1(what) + u'/' + library.name).toStdString();
    };
    benchmark::RegisterBenchmark(name("Window.itemClick").c_str(), itemClick, library)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(name("Window.startUp").c_str(), startUp, library)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark(name("Process.startUp").c_str(), processStartUp, library)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(20);
}

} // namespace brindo::bench
