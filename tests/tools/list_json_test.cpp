#include "cli_run.h"
#include "list_json.h"
#include "support/file_bytes.h"
#include "support/permissions.h"
#include "support/temp_library.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

namespace brindo::cli {
namespace {

// Checks JSON against the constructs of JSON Schema that the documented schema
// uses, and reports any other keyword rather than ignore it.
void checkSchema(const QJsonValue& value, const QJsonObject& schema, const QJsonObject& root,
                 const QString& where, QStringList& problems) {
    static const QStringList kKnown = QString("$schema $id title $defs $ref type const enum "
                                              "required properties additionalProperties items")
                                          .split(' ');
    static const QStringList kTypes = QString("null boolean number string array object").split(' ');
    for (const QString& keyword : schema.keys()) {
        if (!kKnown.contains(keyword)) {
            problems.append(where + ": the check does not know " + keyword);
        }
    }
    if (schema.contains("$ref")) {
        const QString name = schema["$ref"].toString().section('/', -1);
        checkSchema(value, root["$defs"][name].toObject(), root, where, problems);
    }
    const QJsonValue type = schema["type"];
    const QJsonArray types = type.isArray() ? type.toArray() : QJsonArray{type};
    const auto hasType = [&value](const QJsonValue& one) {
        return one == "integer"
                   ? value.isDouble() && std::trunc(value.toDouble()) == value.toDouble()
                   : kTypes.indexOf(one.toString()) == static_cast<qsizetype>(value.type());
    };
    if (!type.isUndefined() && std::none_of(types.begin(), types.end(), hasType)) {
        problems.append(where + ": not of the type " + QJsonDocument(types).toJson());
    }
    if (schema.contains("const") && value != schema["const"]) {
        problems.append(where + ": not the constant");
    }
    if (schema.contains("enum") && !schema["enum"].toArray().contains(value)) {
        problems.append(where + ": not one of the enum");
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (const QJsonValue required : schema["required"].toArray()) {
            if (!object.contains(required.toString())) {
                problems.append(where + ": lacks " + required.toString());
            }
        }
        const QJsonObject properties = schema["properties"].toObject();
        for (const QString& key : object.keys()) {
            if (properties.contains(key)) {
                checkSchema(object[key], properties[key].toObject(), root, where + '.' + key,
                            problems);
            } else if (schema["additionalProperties"] == QJsonValue(false)) {
                problems.append(where + ": has no place for " + key);
            }
        }
    }
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size() && schema.contains("items"); ++i) {
        checkSchema(array[i], schema["items"].toObject(), root, where + QString("[%1]").arg(i),
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

// list --json of the sample library and of one with a category that cannot be
// opened and one that dresses nothing; and the check finds what breaks the schema.
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
