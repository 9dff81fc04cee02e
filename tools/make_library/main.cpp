// brindo-make-library: draws the sample picture library into a folder.

#include "icon.h"
#include "library.h"
#include "paint.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
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

bool isWithin(const QString& path, const QString& folder) {
    const QString inner = QDir::cleanPath(QDir().absoluteFilePath(path));
    const QString outer = QDir::cleanPath(QDir().absoluteFilePath(folder));
    return inner == outer || inner.startsWith(outer + u'/');
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
        QStringLiteral("Remove the category folders and library.ini in DIR before drawing the "
                       "library."));
    const QCommandLineOption icons(
        QStringLiteral("icons"),
        QStringLiteral("Also draw the program's icon into ICONS/<N>x<N>/apps/brindo.png."),
        QStringLiteral("ICONS"));
    parser.addOptions({help, output, scale, clean, icons});

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
    options.iconFolder = parser.value(icons);
    bool isNumber = false;
    options.scale = parser.value(scale).toDouble(&isNumber);
    if (options.folder.isEmpty()) {
        printError(QStringLiteral("--output DIR is required"));
        return std::nullopt;
    }
    if (!options.iconFolder.isEmpty() && isWithin(options.iconFolder, options.folder)) {
        printError(QStringLiteral("--icons ICONS must lie outside the library folder DIR, where "
                                  "every sub-folder is a category"));
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
        if (!options->iconFolder.isEmpty()) {
            brindo::sample::writeIcons(options->iconFolder);
        }
    } catch (const std::exception& error) {
        printError(QString::fromLocal8Bit(error.what()));
        return 1;
    }
    return 0;
}
