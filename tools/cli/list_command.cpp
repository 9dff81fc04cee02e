#include "catalogue/library_catalogue.h"
#include "catalogue/stored_path.h"
#include "command_line.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace brindo::cli {

namespace {

QString asText(const QList<CatalogueCategory>& catalogue) {
    QString text;
    for (const CatalogueCategory& category : catalogue) {
        text += category.name +
                (category.opened ? QString() : QStringLiteral("  (cannot be opened)")) + u'\n';
        for (const CatalogueItem& item : category.items) {
            text += QStringLiteral("  ") + item.row + u'\n';
            for (const QString& variant : item.variants.value_or(QStringList())) {
                text += QStringLiteral("    ") + variant + u'\n';
            }
        }
    }
    return text;
}

QByteArray asJson(const QString& libraryFolder, const QList<CatalogueCategory>& catalogue) {
    QJsonArray categories;
    for (const CatalogueCategory& category : catalogue) {
        QJsonArray items;
        for (const CatalogueItem& item : category.items) {
            QJsonObject entry{{QStringLiteral("name"), item.row}};
            if (item.variants) {
                entry.insert(QStringLiteral("variants"),
                             QJsonArray::fromStringList(*item.variants));
            }
            items.append(entry);
        }
        categories.append(QJsonObject{
            {QStringLiteral("name"), category.name},
            {QStringLiteral("items"), category.opened ? QJsonValue(items) : QJsonValue()},
        });
    }
    const QJsonObject root{{QStringLiteral("library"), libraryFolder},
                           {QStringLiteral("categories"), categories}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
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
            "With --json: {\"library\": DIR, \"categories\": [{\"name\", \"items\": [{\"name\",\n"
            "\"variants\"}]}]}; \"variants\" is left out where the variant list stays hidden,\n"
            "and \"items\" is null for a category folder that cannot be opened."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the lists as JSON."));
    parser.addOption(json);
    QString library;
    if (const auto ended = parser.parse(arguments, library)) {
        return *ended;
    }
    const auto catalogue = listCatalogue(library);
    if (!catalogue) {
        printError(parser.command(), QStringLiteral("the library folder cannot be listed"));
        return kFailure;
    }
    const QString shown = QDir::toNativeSeparators(nativePath(library));
    if (parser.isSet(json)) {
        std::fputs(asJson(shown, *catalogue).constData(), stdout);
    } else {
        printOut(asText(*catalogue));
    }
    return kSuccess;
}

} // namespace brindo::cli
