#include "catalogue/library_layout.h"
#include "catalogue/random_outfit.h"
#include "command_line.h"
#include "document/outfit_document.h"
#include "files/atomic_replace.h"
#include "files/message_text.h"
#include "named_picks.h"
#include "picture_job.h"

#include <QRandomGenerator>

namespace brindo::cli {

namespace {

bool namesADocument(const QString& output, const QString& format) {
    return format.isEmpty() ? output.endsWith(QLatin1String(".brd"), Qt::CaseInsensitive)
                            : format == u"brd";
}

int writeDocument(const CommandParser& parser, const Outfit& outfit, const QString& output) {
    ProfileText document;
    FileOutcome outcome = writeOutfit(document, outfit);
    if (outcome.ok()) {
        outcome = output == u"-" ? FileOutcome{writeOut(document.bytes())
                                                   ? QString()
                                                   : QStringLiteral("it was closed or is full")}
                                 : replaceFile(output, document.bytes());
    }
    if (!outcome.ok()) {
        printError(parser.command(), QStringLiteral("could not write the outfit to \"%1\": %2")
                                         .arg(output == u"-" ? QStringLiteral("standard output")
                                                             : fitForMessage(output),
                                              outcome.problem));
        return kFailure;
    }
    return kSuccess;
}

} // namespace

int runCompose(const QStringList& arguments) {
    CommandParser parser(
        QStringLiteral("compose"),
        QStringLiteral("[--set CATEGORY=ITEM[/VARIANT]]... [--random [--seed S] [--keep "
                       "CATEGORY]...] -o OUT [options]"),
        QStringLiteral(
            "Makes an outfit from names, by the same rules as clicks in the program's lists,\n"
            "starting from a fresh outfit (as New does). A name is what the lists show: the\n"
            "listed name or the library's own name for it, e.g.\n"
            "  --set Tops=02 --set \"Hair=Long/07\" --set \"Eyes=Sparkly eyes/Teal\"\n"
            "\"CATEGORY=<none>\" takes a layer off. --random first dresses every category at\n"
            "random, as the program's Random Outfit does (the same seed gives the same\n"
            "outfit), but for the --keep categories; the --set picks follow it, in order.\n"
            "\n"
            "OUT ending in .BRD (or --format brd) gets the outfit document; .png or .bmp (or\n"
            "--format png|bmp) the picture, drawn at once as render draws it. \"-\" writes to\n"
            "standard output, with --format.\n"
            "\n"
            "Exit status: 0 when it was written, 2 for a picture written without missing\n"
            "images, 1 when nothing was written, 64 for a usage error (a name that is not in\n"
            "the library is one; the closest names are listed)."));
    const QCommandLineOption set(QStringLiteral("set"),
                                 QStringLiteral("Pick an item, and a variant after a \"/\"."),
                                 QStringLiteral("CATEGORY=ITEM[/VARIANT]"));
    const QCommandLineOption random(QStringLiteral("random"),
                                    QStringLiteral("Dress every category at random first."));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("The seed of --random (0 to 4294967295)."),
                                  QStringLiteral("S"));
    const QCommandLineOption keep(QStringLiteral("keep"),
                                  QStringLiteral("A category that --random leaves as it is."),
                                  QStringLiteral("CATEGORY"));
    const QCommandLineOption readyMade(
        QStringLiteral("ready-made"),
        QStringLiteral("Let --random choose a ready-made outfit too."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The document or picture to write, or -."),
                                    QStringLiteral("OUT"));
    const PictureOptions pictureOptions;
    for (const QCommandLineOption* option : {&set, &random, &seed, &keep, &readyMade, &output}) {
        parser.addOption(*option);
    }
    pictureOptions.addTo(parser);

    PictureSettings settings;
    if (const auto ended = parser.parse(arguments, settings.libraryFolder)) {
        return *ended;
    }
    if (const auto ended = pictureOptions.read(parser, settings)) {
        return *ended;
    }
    const QString out = parser.value(output);
    if (out.isEmpty()) {
        return parser.usageError(QStringLiteral("-o OUT is required"));
    }
    const bool document = namesADocument(out, pictureOptions.format(parser));
    if (!document) {
        if (const auto ended = pictureOptions.readFormat(parser, out, settings)) {
            return *ended;
        }
    }
    if (!parser.isSet(random) && (parser.isSet(seed) || parser.isSet(keep))) {
        return parser.usageError(QStringLiteral("--seed and --keep go with --random"));
    }
    bool whole = true;
    const quint32 seedValue = parser.isSet(seed) ? parser.value(seed).toUInt(&whole)
                                                 : QRandomGenerator::global()->generate();
    if (!whole) {
        return parser.usageError(QStringLiteral("--seed takes a whole number from 0 to "
                                                "4294967295"));
    }

    const QString& library = settings.libraryFolder;
    readLibrary(settings);
    Outfit outfit;
    outfit.startAfresh(defaultBottomsPath(library));
    if (parser.isSet(random)) {
        RandomOutfitOptions options{{}, parser.isSet(readyMade)};
        for (const QString& given : parser.values(keep)) {
            const FoundCategory found = findCategory(library, given);
            if (!found.problem.isEmpty()) {
                printError(parser.command(), found.problem);
                return kUsage;
            }
            options.keptCategories.insert(found.name);
        }
        QRandomGenerator generator(seedValue);
        outfit = randomOutfit(library, std::move(outfit), options, generator);
    }
    for (const QString& setting : parser.values(set)) {
        if (const auto problem = putOnNamed(library, settings.names, setting, outfit)) {
            printError(parser.command(), *problem);
            return kUsage;
        }
    }

    if (document) {
        return writeDocument(parser, outfit, out);
    }
    ProfileText text;
    writeOutfit(text, outfit);
    OutfitRenderer renderer(settings.libraryFolder, settings.render);
    PictureReport report =
        drawPicture({outfit, QString::fromUtf8(text.bytes()), {}}, settings, renderer);
    writePicture(report, out);
    for (const QString& problem : std::as_const(report.problems)) {
        printError(parser.command(), problem);
    }
    return report.status;
}

} // namespace brindo::cli
