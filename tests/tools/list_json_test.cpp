#include "cli_run.h"
#include "files/profile_text.h"
#include "list_json.h"
#include "support/file_bytes.h"
#include "support/permissions.h"
#include "support/temp_library.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace brindo::cli {
namespace {

// Checks JSON against the JSON Schema keywords the documented schema uses, and no others.
void checkSchema(const QJsonValue& value, const QJsonObject& schema, const QJsonObject& root,
                 const QString& at, QStringList& problems) {
    static const QStringList kKnown = QString("$schema $id title $defs $ref type const enum "
                                              "required properties additionalProperties items")
                                          .split(' ');
    static const QStringList kTypes = QString("null boolean number string array object").split(' ');
    for (const QString& keyword : schema.keys()) {
        if (!kKnown.contains(keyword)) {
            problems.append(at + ": the check does not know " + keyword);
        }
    }
    if (schema.contains("$ref")) { // the schema's references stand alone
        const QString name = schema["$ref"].toString().section('/', -1);
        return checkSchema(value, root["$defs"][name].toObject(), root, at, problems);
    }
    const QJsonValue type = schema["type"];
    const QJsonArray types = type.isArray() ? type.toArray() : QJsonArray{type};
    if ((!type.isUndefined() && !types.contains(kTypes.value(static_cast<int>(value.type())))) ||
        (schema.contains("const") && value != schema["const"]) ||
        (schema.contains("enum") && !schema["enum"].toArray().contains(value))) {
        problems.append(at + ": a value the schema does not allow");
    }
    const QJsonObject object = value.toObject();
    for (const QJsonValue required : schema["required"].toArray()) {
        if (!object.contains(required.toString())) {
            problems.append(at + ": lacks " + required.toString());
        }
    }
    const QJsonObject properties = schema["properties"].toObject();
    for (const QString& key : object.keys()) {
        if (properties.contains(key)) {
            checkSchema(object[key], properties[key].toObject(), root, at + '.' + key, problems);
        } else if (schema["additionalProperties"] == QJsonValue(false)) {
            problems.append(at + ": has no place for " + key);
        }
    }
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size() && schema.contains("items"); ++i) {
        checkSchema(array[i], schema["items"].toObject(), root, at + QString("[%1]").arg(i),
                    problems);
    }
}

QJsonObject categoryNamed(const QJsonObject& listing, const QString& name) {
    for (const QJsonValue category : listing.value("categories").toArray()) {
        if (category.toObject().value("name") == name) {
            return category.toObject();
        }
    }
    return {};
}

// list --json of the sample library, of an unopenable category and one that dresses nothing.
TEST(ListJsonTest, OutputValidatesAgainstTheDocumentedSchema) {
    const QJsonObject schema =
        QJsonDocument::fromJson(test::readFile(BRINDO_SOURCE_DIR "/docs/list-json.schema.json"))
            .object();
    ASSERT_TRUE(schema.contains("$defs"));
    const auto problems = [&schema](const QJsonValue& value) {
        QStringList found;
        checkSchema(value, schema, schema, "$", found);
        return found;
    };

    const test::CliRun run = test::cli({"list", "--json"});
    ASSERT_EQ(run.status, 0);
    QJsonObject sample = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(problems(sample).join('\n'), "");
    EXPECT_EQ(categoryNamed(sample, "Hair").value("kind"), "hair");
    EXPECT_EQ(categoryNamed(sample, "Hair").value("slot"), "Hair");
    const QJsonObject tops = categoryNamed(sample, "Tops");
    EXPECT_EQ(tops.value("none"), true) << "\"<none>\" is a flag, not an item";
    EXPECT_EQ(tops.value("items").toArray().first().toObject().value("variants"), QJsonValue());
    // The sample library's library.ini names every item and variant it lists.
    const ProfileText names(test::readFile(QFileInfo(BRINDO_CLI).dir().filePath("library.ini")));
    for (const QJsonValue category : sample["categories"].toArray()) {
        const QString section = category["name"].toString();
        for (const QJsonValue item : category["items"].toArray()) {
            const QString row = item["name"].toString();
            EXPECT_NE(names.read(section, row), "") << (section + '/' + row).toStdString();
            for (const QJsonValue variant : item["variants"].toArray()) {
                EXPECT_NE(names.read(section + '\\' + row, variant["name"].toString()), "")
                    << (section + '/' + row + '/' + variant["name"].toString()).toStdString();
            }
        }
    }

    sample.insert("extra", 1);
    sample.insert("schema", 2);
    EXPECT_EQ(problems(sample).size(), 2);

    test::TempLibrary library;
    library.addFiles({"Tops/01.png", "Shelf/01.png", "Masks/Fox/00.png", "Locked/01.png"});
    const test::PermissionsTaken taken(library.native("Locked"));
    const bool locked = test::permissionsEnforced();
    const std::optional<QByteArray> json = libraryJson(library.stored());
    ASSERT_TRUE(json);
    const QJsonObject listing = QJsonDocument::fromJson(*json).object();
    EXPECT_EQ(problems(listing).join('\n'), "");
    EXPECT_EQ(categoryNamed(listing, "Shelf").value("slot"), QJsonValue());
    EXPECT_EQ(categoryNamed(listing, "Masks").value("kind"), "item-folders");
    if (locked) {
        EXPECT_EQ(categoryNamed(listing, "Locked").value("items"), QJsonValue());
    }
}

} // namespace
} // namespace brindo::cli
