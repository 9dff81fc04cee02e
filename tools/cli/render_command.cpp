#include "command_line.h"
#include "render/outfit_render.h"
#include "render/outfit_source.h"
#include "render/picture_export.h"
#include "render/png/png_painter.h"

namespace brindo::cli {

namespace {

QString loadProblem(LoadResult result) {
    if (result == LoadResult::TooLarge) {
        return QStringLiteral("too large (the limit is %1)").arg(pngLimitText());
    }
    return result == LoadResult::FileNotFound ? QStringLiteral("not found")
                                              : QStringLiteral("not a readable PNG picture");
}

} // namespace

int runRender(const QStringList& arguments) {
    CommandParser parser(
        QStringLiteral("render"), QStringLiteral("DOCUMENT -o OUT [--library DIR] [--strict]"),
        QStringLiteral(
            "Draws the outfit of DOCUMENT as the program's window shows it after opening it,\n"
            "and writes the picture to OUT: a BMP file when OUT ends in .bmp, a PNG file when\n"
            "it ends in .png. A PNG picture carries the outfit document, so it can be given as\n"
            "DOCUMENT in turn.\n"
            "\n"
            "Images that cannot be found in the library are listed on stderr and left out.\n"
            "Exit status: 0 when the picture is complete, 2 when it was written without some\n"
            "images, 1 when nothing was written (a failure, a usage error, or --strict with\n"
            "missing images)."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The picture to write (.bmp or .png)."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption strict(
        QStringLiteral("strict"),
        QStringLiteral("Write nothing, and fail, when any image is missing."));
    parser.addArgument(QStringLiteral("DOCUMENT"));
    parser.addOption(output);
    parser.addOption(strict);
    QString library;
    if (const auto ended = parser.parse(arguments, library)) {
        return *ended;
    }
    const QString outFile = parser.value(output);
    if (outFile.isEmpty()) {
        printError(parser.command(), QStringLiteral("-o OUT is required (see \"brindo-cli "
                                                    "render --help\")"));
        return kFailure;
    }
    const auto format = pictureFormatFor(outFile);
    if (!format) {
        printError(parser.command(),
                   QStringLiteral("\"%1\" must end in .bmp or .png").arg(outFile));
        return kFailure;
    }

    const OutfitSource source = readOutfitSource(parser.positional().constFirst());
    if (!source.ok()) {
        printError(parser.command(), source.problem);
        return kFailure;
    }
    const RenderedOutfit rendered = renderOutfit(source.outfit, library);
    if (!rendered.ok()) {
        printError(parser.command(), rendered.problem);
        return kFailure;
    }
    for (const FailedLoad& failed : rendered.failedLoads) {
        printError(parser.command(), QStringLiteral("missing image \"%1\": %2")
                                         .arg(failed.path, loadProblem(failed.result)));
    }
    const auto missing = rendered.failedLoads.size();
    if (missing > 0 && parser.isSet(strict)) {
        printError(parser.command(),
                   QStringLiteral("%1 image(s) missing, nothing written (--strict)").arg(missing));
        return kFailure;
    }
    const FileOutcome written =
        exportPicture(rendered.picture, outFile, *format, source.documentText);
    if (!written.ok()) {
        printError(parser.command(), written.problem);
        return kFailure;
    }
    if (missing > 0) {
        printError(
            parser.command(),
            QStringLiteral("wrote \"%1\" without %2 missing image(s)").arg(outFile).arg(missing));
        return kImagesMissing;
    }
    return kSuccess;
}

} // namespace brindo::cli
