#include "catalogue/library_layout.h"
#include "command_line.h"
#include "render/outfit_credits.h"
#include "render/outfit_source.h"

namespace brindo::cli {

int runCredits(const QStringList& arguments) {
    CommandParser parser(
        QStringLiteral("credits"), QStringLiteral("DOCUMENT... [--library DIR]"),
        QStringLiteral(
            "Prints who made what the pictures of the outfits show, as the library's names\n"
            "file (library.ini) credits its items: one line for each distinct credit, with the\n"
            "categories that use it: \"Hair, Tops: author, licence, url\". A DOCUMENT is an\n"
            "outfit document or a PNG picture that carries one. PNG pictures written by\n"
            "render and compose carry the same text under \"Credits\".\n"
            "\n"
            "Exit status: 0, or 1 when a DOCUMENT cannot be read (the others are still\n"
            "counted), 64 for a usage error."));
    parser.addArgument(QStringLiteral("DOCUMENT"), true);
    QString library;
    if (const auto ended = parser.parse(arguments, library)) {
        return *ended;
    }
    const LibraryLayout layout = resolveLibraryLayout(library);
    const LibraryNames names = LibraryNames::read(library);
    QList<OutfitCredit> credits;
    int status = kSuccess;
    for (const QString& document : parser.positional()) {
        const OutfitSource source = readOutfitSource(document);
        if (!source.ok()) {
            printError(parser.command(), source.problem);
            status = kFailure;
            continue;
        }
        addOutfitCredits(credits, source.outfit, layout, names);
    }
    if (credits.isEmpty()) {
        printError(parser.command(), QStringLiteral("the library credits none of what these "
                                                    "outfits show"));
    }
    printOut(creditsText(credits));
    return status;
}

} // namespace brindo::cli
