#include "cli_run.h"
#include "list_json.h"
#include "support/permissions.h"
#include "support/temp_library.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

namespace brindo::cli {
namespace {

// Checks JSON against the constructs of JSON Schema that the documented
// schema uses; any other keyword in the schema is reported, so that the
// check can never pass by ignoring one.
class SchemaCheck {
public:
    explicit SchemaCheck(QJsonObject schema) : root_(std::move(schema)) {}

    QStringList problems(const QJsonValue& value) {
        problems_.clear();
        check(value, root_, QStringLiteral("$"));
        return problems_;
    }

private:
    static bool hasType(const QJsonValue& value, const QString& type) {
        if (type == u"integer") {
            return value.isDouble() && std::trunc(value.toDouble()) == value.toDouble();
        }
        static const QHash<QString, QJsonValue::Type> kTypes{
            {"object", QJsonValue::Object}, {"array", QJsonValue::Array},
            {"string", QJsonValue::String}, {"number", QJsonValue::Double},
            {"boolean", QJsonValue::Bool},  {"null", QJsonValue::Null}};
        return kTypes.value(type, QJsonValue::Undefined) == value.type();
    }

    void check(const QJsonValue& value, const QJsonObject& schema, const QString& where) {
        static const QStringList kKnown{"$schema",
                                        "$id",
                                        "title",
                                        "$defs",
                                        "$ref",
                                        "type",
                                        "const",
                                        "enum",
                                        "required",
                                        "properties",
                                        "additionalProperties",
                                        "items"};
        for (const QString& keyword : schema.keys()) {
            if (!kKnown.contains(keyword)) {
                problems_.append(where + ": the check does not know " + keyword);
            }
        }
        if (schema.contains("$ref")) {
            const QString name = schema.value("$ref").toString().section('/', -1);
            check(value, root_.value("$defs").toObject().value(name).toObject(), where);
        }
        if (schema.contains("type")) {
            const QJsonValue type = schema.value("type");
            const QJsonArray types = type.isArray() ? type.toArray() : QJsonArray{type};
            if (std::none_of(types.begin(), types.end(), [&value](const QJsonValue& one) {
                    return hasType(value, one.toString());
                })) {
                problems_.append(where + ": not of the type " + QJsonDocument(types).toJson());
            }
        }
        if (schema.contains("const") && value != schema.value("const")) {
            problems_.append(where + ": not the constant");
        }
        if (schema.contains("enum") && !schema.value("enum").toArray().contains(value)) {
            problems_.append(where + ": not one of the enum");
        }
        if (value.isObject()) {
            const QJsonObject object = value.toObject();
            const QJsonObject properties = schema.value("properties").toObject();
            for (const QJsonValue required : schema.value("required").toArray()) {
                if (!object.contains(required.toString())) {
                    problems_.append(where + ": lacks " + required.toString());
                }
            }
            for (const QString& key : object.keys()) {
                if (properties.contains(key)) {
                    check(object.value(key), properties.value(key).toObject(), where + '.' + key);
                } else if (schema.value("additionalProperties") == QJsonValue(false)) {
                    problems_.append(where + ": has no place for " + key);
                }
            }
        }
        if (value.isArray() && schema.contains("items")) {
            const QJsonArray array = value.toArray();
            for (qsizetype i = 0; i < array.size(); ++i) {
                check(array.at(i), schema.value("items").toObject(),
                      where + QStringLiteral("[%1]").arg(i));
            }
        }
    }

    QJsonObject root_;
    QStringList problems_;
};

QJsonObject categoryNamed(const QJsonObject& listing, const QString& name) {
    for (const QJsonValue category : listing.value("categories").toArray()) {
        if (category.toObject().value("name") == name) {
            return category.toObject();
        }
    }
    return {};
}

// list --json on the sample library, and on a library with a category that
// cannot be opened and one that dresses nothing, validates against the schema
// in docs/; and the check finds what breaks the schema.
TEST(ListJsonTest, OutputValidatesAgainstTheDocumentedSchema) {
    QFile file(QStringLiteral(BRINDO_SOURCE_DIR "/docs/list-json.schema.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    SchemaCheck schema(QJsonDocument::fromJson(file.readAll()).object());

    const test::CliRun run = test::cli({"list", "--json"});
    ASSERT_EQ(run.status, 0);
    QJsonObject sample = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(schema.problems(sample).join('\n'), "");
    const QJsonObject hair = categoryNamed(sample, "Hair");
    EXPECT_EQ(hair.value("kind"), "hair");
    EXPECT_EQ(hair.value("slot"), "Hair");
    const QJsonObject tops = categoryNamed(sample, "Tops");
    EXPECT_EQ(tops.value("none"), true) << "\"<none>\" is a flag, not an item";
    EXPECT_EQ(tops.value("items").toArray().first().toObject().value("variants"), QJsonValue());

    sample.insert("extra", 1);
    sample.insert("schema", 2);
    EXPECT_EQ(schema.problems(sample).size(), 2);

    test::TempLibrary library;
    for (const QString file :
         {"Tops/01.png", "Shelf/01.png", "Masks/Fox/00.png", "Locked/01.png"}) {
        library.addFile(file);
    }
    QFile::setPermissions(library.native("Locked"), {});
    const bool locked = test::permissionsEnforced();
    const std::optional<QByteArray> json = libraryJson(library.stored());
    ASSERT_TRUE(json);
    const QJsonObject listing = QJsonDocument::fromJson(*json).object();
    EXPECT_EQ(schema.problems(listing).join('\n'), "");
    EXPECT_EQ(categoryNamed(listing, "Shelf").value("slot"), QJsonValue());
    EXPECT_EQ(categoryNamed(listing, "Masks").value("kind"), "item-folders");
    if (locked) {
        EXPECT_EQ(categoryNamed(listing, "Locked").value("items"), QJsonValue());
    }
    QFile::setPermissions(library.native("Locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
} // namespace brindo::cli
