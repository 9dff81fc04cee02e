#include "picture_job.h"

#include "catalogue/stored_path.h"
#include "command_line.h"
#include "files/atomic_replace.h"
#include "files/message_text.h"
#include "render/outfit_credits.h"
#include "render/png/png_loading.h"
#include "render/shared_outfit.h"

#include <QRegularExpression>
#include <unistd.h>

namespace brindo::cli {

namespace {

constexpr int kLargestScale = 1000; // far past any picture within the size limit

QString loadProblem(LoadResult result) {
    if (result == LoadResult::TooLarge) {
        return QStringLiteral("too large (the limit is %1)").arg(pngLimitText());
    }
    return result == LoadResult::FileNotFound ? QStringLiteral("not found")
                                              : QStringLiteral("not a readable PNG picture");
}

std::optional<PictureFormat> formatNamed(const QString& name) {
    if (name == u"png") {
        return PictureFormat::Png;
    }
    if (name == u"bmp") {
        return PictureFormat::Bmp;
    }
    return std::nullopt;
}

} // namespace

void PictureOptions::addTo(CommandParser& parser) const {
    for (const QCommandLineOption* option : {&formatOption, &scaleOption, &transparentOption,
                                             &backgroundOption, &strictOption, &keepPathsOption}) {
        parser.addOption(*option);
    }
}

QString PictureOptions::format(const CommandParser& parser) const {
    return parser.value(formatOption).toLower();
}

std::optional<int> PictureOptions::read(const CommandParser& parser,
                                        PictureSettings& settings) const {
    if (parser.isSet(scaleOption)) {
        bool whole = false;
        const int scale = parser.value(scaleOption).toInt(&whole);
        if (!whole || scale < 1 || scale > kLargestScale) {
            return parser.usageError(
                QStringLiteral("--scale takes a whole number from 1 to %1").arg(kLargestScale));
        }
        settings.render.scale = scale;
    }
    if (parser.isSet(backgroundOption)) {
        static const QRegularExpression kColour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        const QString colour = parser.value(backgroundOption);
        if (!kColour.match(colour).hasMatch()) {
            return parser.usageError(
                QStringLiteral("--background takes a colour as #RRGGBB, not \"%1\"").arg(colour));
        }
        settings.render.background = 0xFF000000U | colour.sliced(1).toUInt(nullptr, 16);
    }
    settings.render.transparent = parser.isSet(transparentOption);
    if (settings.render.transparent && parser.isSet(backgroundOption)) {
        return parser.usageError(QStringLiteral("--transparent and --background exclude each "
                                                "other"));
    }
    settings.strict = parser.isSet(strictOption);
    settings.keepPaths = parser.isSet(keepPathsOption);
    return std::nullopt;
}

std::optional<int> PictureOptions::readFormat(const CommandParser& parser, const QString& output,
                                              PictureSettings& settings) const {
    std::optional<PictureFormat> chosen;
    if (parser.isSet(formatOption)) {
        chosen = formatNamed(format(parser));
        if (!chosen) {
            return parser.usageError(QStringLiteral("--format takes png or bmp"));
        }
    } else if (output == u"-") {
        return parser.usageError(QStringLiteral("-o - needs --format png or --format bmp"));
    } else {
        chosen = pictureFormatFor(output);
        if (!chosen) {
            return parser.usageError(
                QStringLiteral("\"%1\" must end in .bmp or .png, or --format must say which")
                    .arg(fitForMessage(output)));
        }
    }
    if (output == u"-" && isatty(STDOUT_FILENO)) {
        return parser.usageError(QStringLiteral("standard output is a terminal, which shows no "
                                                "picture: send -o - to a file or a pipe"));
    }
    if (*chosen == PictureFormat::Bmp && settings.render.transparent) {
        return parser.usageError(QStringLiteral("--transparent needs a PNG picture: BMP pictures "
                                                "are opaque"));
    }
    settings.format = *chosen;
    return std::nullopt;
}

void readLibrary(PictureSettings& settings) {
    settings.names = LibraryNames::read(settings.libraryFolder);
    settings.layout = resolveLibraryLayout(settings.libraryFolder, settings.render.openCategory);
}

PictureReport drawPicture(const OutfitSource& source, const PictureSettings& settings,
                          OutfitRenderer& renderer) {
    PictureReport report;
    const RenderedOutfit rendered = renderer.render(source.outfit);
    if (!rendered.ok()) {
        report.status = kFailure;
        report.problems.append(rendered.problem);
        return report;
    }
    for (const FailedLoad& failed : rendered.failedLoads) {
        report.problems.append(QStringLiteral("missing image \"%1\": %2")
                                   .arg(shownImage(failed.path), loadProblem(failed.result)));
    }
    report.missingImages = rendered.failedLoads.size();
    if (report.missingImages > 0 && settings.strict) {
        report.status = kFailure;
        report.problems.append(QStringLiteral("%1 image(s) missing, nothing written (--strict)")
                                   .arg(report.missingImages));
        return report;
    }
    report.status = report.missingImages > 0 ? kImagesMissing : kSuccess;
    report.picture = rendered.picture;
    report.format = settings.format;
    if (settings.format == PictureFormat::Png) {
        QList<OutfitCredit> credits;
        addOutfitCredits(credits, source.outfit, settings.layout, settings.names);
        report.texts = {settings.keepPaths
                            ? source.documentText
                            : shareableOutfitText(source.outfit, settings.libraryFolder),
                        creditsText(credits)};
    }
    return report;
}

void writePicture(PictureReport& report, const QString& output) {
    if (report.status == kFailure) {
        return;
    }
    const QString shown =
        output == u"-" ? QStringLiteral("standard output") : fitForMessage(output);
    QString problem;
    if (output == u"-") {
        const QByteArray bytes = report.format == PictureFormat::Bmp
                                     ? encodeBmp(report.picture)
                                     : encodePng(report.picture, report.texts);
        if (bytes.isEmpty()) {
            problem = QStringLiteral("there is no picture to write");
        } else if (!writeOut(bytes)) {
            problem = QStringLiteral("it was closed or is full");
        }
    } else {
        problem = writePictureFile(report.picture, output, report.format, report.texts).problem;
    }
    if (!problem.isEmpty()) {
        report.status = kFailure;
        report.problems.append(
            QStringLiteral("could not write the picture to \"%1\": %2").arg(shown, problem));
    } else if (report.missingImages > 0) {
        report.problems.append(QStringLiteral("wrote \"%1\" without %2 missing image(s)")
                                   .arg(shown)
                                   .arg(report.missingImages));
    }
}

} // namespace brindo::cli
