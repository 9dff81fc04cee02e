#include "catalogue/stored_path.h"
#include "command_line.h"
#include "files/message_text.h"
#include "ordered_pool.h"
#include "picture_job.h"
#include "render_inputs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <cstdio>
#include <optional>
#include <unistd.h>
#include <vector>

namespace brindo::cli {

namespace {

const QString kCommand = QStringLiteral("render");

// Fewer inputs than this finish before a progress line would be read.
constexpr qsizetype kProgressFrom = 8;

// The decoded layers each worker keeps for the next pictures: at the native
// size about the whole sample library, at the large size a few layers.
constexpr LayerCache::Bounds kKeptPerWorker{512, qint64{16} << 20};

// Standard input may hold a document or a picture that carries one.
constexpr qint64 kMostStdinBytes = qint64{256} * 1024 * 1024;

// A progress line on stderr, kept below the messages, when stderr is a
// terminal.
class ProgressLine {
public:
    ProgressLine(qsizetype total, bool shown) : total_(total), shown_(shown) { clock_.start(); }

    void update(qsizetype finished) {
        if (shown_ && clock_.elapsed() >= lastDrawn_ + kEveryMs) {
            lastDrawn_ = clock_.elapsed();
            std::fprintf(stderr, "\r\033[Krendering: %lld of %lld",
                         static_cast<long long>(finished), static_cast<long long>(total_));
            std::fflush(stderr);
        }
    }
    // Clears the line so that a message can take its place.
    void clear() {
        if (shown_ && lastDrawn_ >= 0) {
            std::fputs("\r\033[K", stderr);
            lastDrawn_ = -kEveryMs;
        }
    }

private:
    static constexpr qint64 kEveryMs = 100;
    qsizetype total_;
    bool shown_;
    QElapsedTimer clock_;
    qint64 lastDrawn_ = -kEveryMs;
};

QByteArray readStdin(bool& tooLarge) {
    QByteArray bytes;
    char buffer[65536];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        if (bytes.size() + static_cast<qint64>(read) > kMostStdinBytes) {
            tooLarge = true;
            return {};
        }
        bytes.append(buffer, static_cast<qsizetype>(read));
    }
    return bytes;
}

// Renders one input. Problems that do not name the input already start with
// `prefix`. The worker's renderer is made with its first input, keeping `kept`.
PictureReport renderOne(const RenderInput& input, const PictureSettings& settings,
                        std::optional<OutfitRenderer>& renderer, LayerCache::Bounds kept,
                        const QByteArray& stdinBytes, const QString& prefix) {
    PictureReport report;
    if (!input.problem.isEmpty()) {
        report.status = kFailure;
        report.problems.append(input.problem);
        return report;
    }
    try {
        const OutfitSource source =
            input.file == u"-" ? readOutfitSource(stdinBytes, QStringLiteral("standard input"))
                               : readOutfitSource(input.file);
        if (!source.ok()) {
            report.status = kFailure;
            report.problems.append(source.problem);
            return report;
        }
        if (!renderer) {
            renderer.emplace(settings.libraryFolder, settings.render, kept);
        }
        report = drawPicture(source, settings, *renderer);
        writePicture(report, input.output);
    } catch (const std::exception& error) {
        report = {};
        report.status = kFailure;
        report.problems.append(QString::fromLocal8Bit(error.what()));
    }
    report.picture = {}; // only the report waits for the inputs before it
    report.texts = {};
    for (QString& problem : report.problems) {
        problem.prepend(prefix);
    }
    return report;
}

// Renders every input on `workers` threads and reports on the main thread,
// input by input in order. Answers the worst exit status.
int renderAll(const QList<RenderInput>& inputs, PictureSettings& settings, int workers,
              const QByteArray& stdinBytes) {
    // The workers keep every core busy; a lone picture reads ahead instead.
    settings.render.oneThread = inputs.size() > 1;
    std::vector<PictureReport> reports(static_cast<std::size_t>(inputs.size()));
    ProgressLine progress(inputs.size(), inputs.size() >= kProgressFrom && isatty(STDERR_FILENO));
    const bool several = inputs.size() > 1;
    int status = kSuccess;
    qsizetype incomplete = 0;
    std::vector<std::optional<OutfitRenderer>> renderers(static_cast<std::size_t>(workers));
    runInOrder(
        inputs.size(), workers,
        [&](qsizetype index, int worker) {
            const RenderInput& input = inputs.at(index);
            reports[static_cast<std::size_t>(index)] =
                renderOne(input, settings, renderers[static_cast<std::size_t>(worker)],
                          several ? kKeptPerWorker : OutfitRenderer::kBaseFigureOnly, stdinBytes,
                          several ? fitForMessage(input.file) + QStringLiteral(": ") : QString());
        },
        [&](qsizetype index) {
            PictureReport& report = reports[static_cast<std::size_t>(index)];
            if (!report.problems.isEmpty()) {
                progress.clear();
            }
            for (const QString& problem : std::as_const(report.problems)) {
                printError(kCommand, problem);
            }
            status = worseStatus(status, report.status);
            incomplete += report.status == kSuccess ? 0 : 1;
            report = {};
            progress.update(index + 1);
        },
        [&](qsizetype finished) { progress.update(finished); });
    progress.clear();
    if (several && incomplete > 0) {
        printError(kCommand, QStringLiteral("%1 of %2 pictures are incomplete or missing")
                                 .arg(incomplete)
                                 .arg(inputs.size()));
    }
    return status;
}

} // namespace

int runRender(const QStringList& arguments) {
    CommandParser parser(
        kCommand, QStringLiteral("DOCUMENT... (-o OUT | --out-dir DIR) [options]"),
        QStringLiteral(
            "Draws the outfit of each DOCUMENT as the program's window shows it after opening\n"
            "it. A DOCUMENT is an outfit document, a PNG picture that carries one, or \"-\" for\n"
            "standard input.\n"
            "\n"
            "-o OUT writes the one picture to OUT (\"-\": standard output, with --format).\n"
            "--out-dir DIR writes the picture of every DOCUMENT into DIR, named after it\n"
            "(look.BRD -> DIR/look.png), rendering them on every core; an input that fails\n"
            "never stops the others. The format is the output's extension, or --format (PNG\n"
            "with --out-dir). Every file is replaced in one step.\n"
            "\n"
            "A PNG picture carries the outfit, so that it can be rendered or opened again, and\n"
            "the credits of what it shows. The outfit names every image by its place in the\n"
            "library (\"\\Brindo library\\Hair\\Long\\011.png\"), so that a shared picture tells\n"
            "nothing of your folders; --keep-paths keeps the document's own absolute paths.\n"
            "\n"
            "Missing images and failures are listed on stderr, input by input in the order\n"
            "given. Exit status: the worst of all inputs: 0 when every picture is complete, 2\n"
            "when some were written without missing images, 1 when some were not written (a\n"
            "failure, or --strict with missing images), 64 for a usage error."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The picture to write (.bmp, .png, or - )."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption outDir(
        QStringLiteral("out-dir"),
        QStringLiteral("The folder for the pictures of several documents (made when missing)."),
        QStringLiteral("DIR"));
    const QCommandLineOption jobs(
        {QStringLiteral("j"), QStringLiteral("jobs")},
        QStringLiteral("Render at most N pictures at a time (default: one a core)."),
        QStringLiteral("N"));
    const PictureOptions pictureOptions;
    parser.addArgument(QStringLiteral("DOCUMENT"), true);
    parser.addOption(output);
    parser.addOption(outDir);
    parser.addOption(jobs);
    pictureOptions.addTo(parser);

    PictureSettings settings;
    if (const auto ended = parser.parse(splitJobCount(arguments), settings.libraryFolder)) {
        return *ended;
    }
    if (const auto ended = pictureOptions.read(parser, settings)) {
        return *ended;
    }
    int workers = QThread::idealThreadCount();
    if (parser.isSet(jobs)) {
        bool whole = false;
        workers = parser.value(jobs).toInt(&whole);
        if (!whole || workers < 1) {
            return parser.usageError(QStringLiteral("-j takes a whole number of 1 or more"));
        }
    }
    const QStringList documents = parser.positional();
    const bool toFolder = parser.isSet(outDir);
    if (toFolder == parser.isSet(output)) {
        return parser.usageError(QStringLiteral("give either -o OUT or --out-dir DIR"));
    }
    if (!toFolder && documents.size() > 1) {
        return parser.usageError(QStringLiteral("-o OUT takes one DOCUMENT; for several, give "
                                                "--out-dir DIR"));
    }
    if (documents.count(QStringLiteral("-")) > (toFolder ? 0 : 1)) {
        return parser.usageError(QStringLiteral("standard input (-) can be rendered only alone, "
                                                "with -o OUT"));
    }
    if (!toFolder || parser.isSet(pictureOptions.formatOption)) {
        if (const auto ended = pictureOptions.readFormat(parser, parser.value(output), settings)) {
            return *ended;
        }
    }
    const QString folder = toFolder ? QDir::cleanPath(parser.value(outDir)) : QString();
    if (toFolder && !QDir().mkpath(folder)) {
        printError(parser.command(),
                   QStringLiteral("could not make the folder \"%1\"").arg(fitForMessage(folder)));
        return kFailure;
    }
    const QList<RenderInput> inputs =
        toFolder ? inputsForFolder(documents, folder, settings.format)
                 : QList<RenderInput>{{documents.constFirst(), parser.value(output), {}}};
    QByteArray stdinBytes;
    if (documents.constFirst() == u"-") {
        bool tooLarge = false;
        stdinBytes = readStdin(tooLarge);
        if (tooLarge) {
            printError(parser.command(), QStringLiteral("standard input holds far too much (over "
                                                        "256 MB)"));
            return kFailure;
        }
    }

    readLibrary(settings);
    return renderAll(inputs, settings, workers, stdinBytes);
}

} // namespace brindo::cli
