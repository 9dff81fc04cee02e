// brindo-bench [--library NAME=DIR]... [benchmark options]
// Runs the timings against each sample library given; bench/run draws the
// libraries and passes them.

#include "bench_library.h"
#include "benchmarks.h"
#include "catalogue/stored_path.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The offscreen platform warns about window hints it cannot follow.
void quieterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("propagateSizeHints"))) {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace brindo;
    using namespace brindo::bench;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quieterMessages);
    constexpr char kChild[] = "--startup-child=";
    constexpr char kSession[] = "--session-child=";
    constexpr char kLibrary[] = "--library=";
    std::vector<char*> rest{argv[0]};
    QStringList given;
    QString child;
    QString session;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kChild, std::strlen(kChild)) == 0) {
            child = QString::fromLocal8Bit(argv[i] + std::strlen(kChild));
        } else if (std::strncmp(argv[i], kSession, std::strlen(kSession)) == 0) {
            session = QString::fromLocal8Bit(argv[i] + std::strlen(kSession));
        } else if (std::strncmp(argv[i], kLibrary, std::strlen(kLibrary)) == 0) {
            given.append(QString::fromLocal8Bit(argv[i] + std::strlen(kLibrary)));
        } else {
            rest.push_back(argv[i]);
        }
    }
    int restCount = static_cast<int>(rest.size());
    QApplication application(restCount, rest.data());
    // Every window starts as on a first run (previews shown), and nothing of
    // the benchmarks reaches the user's own settings.
    const QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    if (!child.isEmpty()) {
        return runStartUpChild(child);
    }
    if (!session.isEmpty()) {
        return runSessionChild(session);
    }
    for (const QString& library : given) {
        const qsizetype equals = library.indexOf(u'=');
        const QString folder =
            QDir::cleanPath(QFileInfo(library.mid(equals + 1)).absoluteFilePath());
        if (equals <= 0 || !QFileInfo(folder).isDir()) {
            std::fprintf(stderr, "brindo-bench: --library=NAME=DIR, not \"%s\"\n",
                         qPrintable(library));
            return 2;
        }
        libraries().append({library.left(equals), folder, storedFromNative(folder)});
    }
    if (libraries().isEmpty()) {
        std::fputs("brindo-bench: give at least one --library=NAME=DIR\n", stderr);
        return 2;
    }
    for (const BenchLibrary& library : libraries()) {
        requireFiles(library);
        registerOutfitBenchmarks(library);
        registerWindowBenchmarks(library);
        registerPreviewBenchmarks(library);
        registerDecodeBenchmarks(library);
    }
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
