// brindo-make-library: draws the sample picture library into a folder.

#include "library.h"
#include "paint.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>

namespace {

using brindo::sample::LibraryOptions;

constexpr int kUsageError = 2;
constexpr double kLargestScale = 40.0;

void printError(const QString& message) {
    std::fprintf(stderr, "brindo-make-library: %s\n", qPrintable(message));
}

// Reads the command line; prints help or an error and answers nothing when
// there is no library to draw.
std::optional<LibraryOptions> readOptions(const QStringList& arguments, int& exitCode) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draws the sample picture library of Brindo Creator into a folder."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Folder to write the library into."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QStringLiteral("Size factor of every picture (default 1)."),
                                   QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption clean(
        QStringLiteral("clean"),
        QStringLiteral("Remove the category folders in DIR before drawing the library."));
    parser.addOptions({help, output, scale, clean});

    exitCode = kUsageError;
    if (!parser.parse(arguments)) {
        printError(parser.errorText());
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        printError(QStringLiteral("unexpected argument \"%1\"")
                       .arg(parser.positionalArguments().constFirst()));
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        exitCode = 0;
        return std::nullopt;
    }
    LibraryOptions options;
    options.folder = parser.value(output);
    options.clean = parser.isSet(clean);
    bool isNumber = false;
    options.scale = parser.value(scale).toDouble(&isNumber);
    if (options.folder.isEmpty()) {
        printError(QStringLiteral("--output DIR is required"));
        return std::nullopt;
    }
    const QSize size = brindo::sample::canvasSize(options.scale);
    if (!isNumber || !std::isfinite(options.scale) || options.scale <= 0.0 ||
        options.scale > kLargestScale || size.isEmpty()) {
        printError(QStringLiteral("--scale needs a number above 0 and at most %1, not \"%2\"")
                       .arg(kLargestScale)
                       .arg(parser.value(scale)));
        return std::nullopt;
    }
    return options;
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    int exitCode = 0;
    const std::optional<LibraryOptions> options =
        readOptions(QCoreApplication::arguments(), exitCode);
    if (!options) {
        return exitCode;
    }
    try {
        brindo::sample::writeLibrary(*options);
    } catch (const std::exception& error) {
        printError(QString::fromLocal8Bit(error.what()));
        return 1;
    }
    return 0;
}
