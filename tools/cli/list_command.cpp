#include "catalogue/library_catalogue.h"
#include "command_line.h"
#include "files/message_text.h"
#include "list_json.h"

namespace brindo::cli {

namespace {

QString asText(const QList<CatalogueCategory>& catalogue) {
    QString text;
    for (const CatalogueCategory& category : catalogue) {
        // One name a line, whatever the names hold.
        text += fitForMessage(category.name) +
                (category.opened ? QString() : QStringLiteral("  (cannot be opened)")) + u'\n';
        for (const CatalogueItem& item : category.items) {
            text += QStringLiteral("  ") + fitForMessage(item.row) + u'\n';
            for (const QString& variant : item.variants.value_or(QStringList())) {
                text += QStringLiteral("    ") + fitForMessage(variant) + u'\n';
            }
        }
    }
    return text;
}

} // namespace

int runList(const QStringList& arguments) {
    CommandParser parser(
        QStringLiteral("list"), QStringLiteral("[--library DIR] [--json]"),
        QStringLiteral(
            "Lists the categories of a picture library, the items of each and the variants of\n"
            "each item, exactly as the program's three lists show them: one category a line,\n"
            "its items indented below it and their variants below those.\n"
            "\n"
            "With --json, schema 1 (docs/LIST-JSON.md): {\"schema\": 1, \"library\": DIR,\n"
            "\"categories\": [{\"name\", \"kind\", \"slot\", \"none\", \"items\": [{\"name\",\n"
            "\"shownName\", \"paths\", \"variants\": [{\"name\", \"shownName\", \"paths\"}]}]}]}:\n"
            "per category how its items dress the character and which layer, and whether the\n"
            "item list offers \"<none>\"; per item and variant the listed name, the library's\n"
            "name for it, and the paths that picking it puts on, as documents store them.\n"
            "\"variants\" is null where the variant list stays hidden; \"kind\", \"slot\" and\n"
            "\"items\" are null for a category folder that cannot be opened."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the lists as JSON."));
    parser.addOption(json);
    QString library;
    if (const auto ended = parser.parse(arguments, library)) {
        return *ended;
    }
    if (parser.isSet(json)) {
        if (const auto text = libraryJson(library)) {
            std::fputs(text->constData(), stdout);
            return kSuccess;
        }
    } else if (const auto catalogue = listCatalogue(library)) {
        printOut(asText(*catalogue));
        return kSuccess;
    }
    printError(parser.command(), QStringLiteral("the library folder cannot be listed"));
    return kFailure;
}

} // namespace brindo::cli
