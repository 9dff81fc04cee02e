#include "document/profile_file.h"
#include "support/permissions.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brindo {
namespace {

class ProfileFileTest : public testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    void put(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray bytesOf(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QString read(const QString& section, const QString& key) const {
        return ReadProfileValue(path("p.ini"), section, key);
    }

    FileOutcome write(const QString& section, const QString& key,
                      const std::optional<QString>& value) const {
        return WriteProfileValue(path("p.ini"), section, key, value);
    }

    // Writes `value` into `before` and expects exactly `after`.
    void expectWrite(const QByteArray& before, const QString& key,
                     const std::optional<QString>& value, const QByteArray& after) {
        put("p.ini", before);
        EXPECT_TRUE(write("S", key, value).ok());
        EXPECT_EQ(bytesOf("p.ini"), after) << key.toStdString();
    }
};

TEST_F(ProfileFileTest, ReadingFollowsTheLooseTextRules) {
    put("p.ini", "\xEF\xBB\xBF"
                 "Key=before any section\r\n"
                 "; Key=a comment\n"
                 "[ brindo ]  \n"
                 "  KEY  =  \"quoted value\"  \r\n"
                 "single='x'\n"
                 "mixed=\"x'\n"
                 "bare\n"
                 "equals=a=b\n"
                 "key=second of a duplicate key\n"
                 "[Other]\n"
                 "lf=yes\n"
                 "[BRINDO]\n"
                 "late=in a duplicate section\n"
                 "[Last]\n"
                 "end = no final line end");
    EXPECT_EQ(read("Brindo", "key"), "quoted value");
    EXPECT_EQ(read(" Brindo ", " Key "), "quoted value");
    EXPECT_EQ(read("Brindo", "single"), "x");
    EXPECT_EQ(read("Brindo", "mixed"), "\"x'");
    EXPECT_EQ(read("Brindo", "equals"), "a=b");
    EXPECT_EQ(read("Brindo", "bare"), "");
    EXPECT_EQ(read("Brindo", "late"), "");
    EXPECT_EQ(read("Other", "lf"), "yes");
    EXPECT_EQ(read("Last", "end"), "no final line end");
    EXPECT_EQ(read("", "Key"), "");
    EXPECT_EQ(read("Brindo", "; Key"), "");
}

TEST_F(ProfileFileTest, MissingFileSectionOrKeyReadsEmptyAndCreatesNothing) {
    EXPECT_EQ(read("S", "k"), "");
    EXPECT_FALSE(QFile::exists(path("p.ini")));
    EXPECT_EQ(ReadProfileValue(path("no/such/folder.ini"), "S", "k"), "");

    put("p.ini", "[S]\nk=v\n");
    EXPECT_EQ(read("T", "k"), "");
    EXPECT_EQ(read("S", "j"), "");
    EXPECT_EQ(bytesOf("p.ini"), "[S]\nk=v\n");

    EXPECT_TRUE(write("S", "gone", std::nullopt).ok());
    EXPECT_TRUE(WriteProfileValue(path("new.ini"), "S", "k", std::nullopt).ok());
    EXPECT_EQ(bytesOf("p.ini"), "[S]\nk=v\n");
    EXPECT_FALSE(QFile::exists(path("new.ini")));
}

TEST_F(ProfileFileTest, WritingCreatesFileAndSectionsWithCrlf) {
    EXPECT_TRUE(write("S", "k", QString("v")).ok());
    EXPECT_TRUE(write("S", "empty", QString()).ok());
    EXPECT_TRUE(write("T", "k", QString("w")).ok());
    EXPECT_EQ(bytesOf("p.ini"), "[S]\r\nk=v\r\nempty=\r\n[T]\r\nk=w\r\n");
    EXPECT_EQ(read("S", "empty"), "");
}

TEST_F(ProfileFileTest, WritingKeepsEveryOtherLineByteForByte) {
    const QByteArray other = "; head comment\r\n[Other]\nk=other\r\n\r\n";
    // Replacing keeps the line's own spelling of the key and its line end.
    expectWrite(other + "[s]\r\n  K = old\n; tail\r\n\r\n[T]\n", "k", QString("new"),
                other + "[s]\r\n  K=new\n; tail\r\n\r\n[T]\n");
    // A new key follows the section's last line, comments included, before blanks.
    expectWrite(other + "[S]\r\nk=1\n; tail\n\r\n\n[T]\nx=1", "j", QString("2"),
                other + "[S]\r\nk=1\n; tail\nj=2\r\n\r\n\n[T]\nx=1");
    // A last line without a line end gets one before the new line.
    expectWrite("[S]\nk=1", "j", QString("2"), "[S]\nk=1\r\nj=2\r\n");
    expectWrite("[X]\nk=1", "j", QString("2"), "[X]\nk=1\r\n[S]\r\nj=2\r\n");
    // Removing takes the key's lines and nothing else.
    expectWrite(other + "[S]\r\na=1\nk=2\r\nK=dup\nb=3\n[T]\nk=4\n", "k", std::nullopt,
                other + "[S]\r\na=1\nb=3\n[T]\nk=4\n");
    // Of duplicate sections the first one is written.
    expectWrite("[S]\na=1\n[S]\nk=2\n", "k", QString("3"), "[S]\na=1\nk=3\r\n[S]\nk=2\n");
    // A byte-order mark stays where it is.
    expectWrite("\xEF\xBB\xBF[S]\r\n", "k", QString("v"), "\xEF\xBB\xBF[S]\r\nk=v\r\n");
    expectWrite("\xEF\xBB\xBF", "k", QString("v"), "\xEF\xBB\xBF[S]\r\nk=v\r\n");
}

TEST_F(ProfileFileTest, WritingTheValueAKeyHasLeavesTheFileUntouched) {
    put("p.ini", "[S]\n k = \"v\" \n");
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
    {
        QFile file(path("p.ini"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    EXPECT_TRUE(write("s", "K", QString("v")).ok());
    EXPECT_EQ(bytesOf("p.ini"), "[S]\n k = \"v\" \n");
    EXPECT_EQ(QFileInfo(path("p.ini")).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
}

TEST_F(ProfileFileTest, ValuesComeBackExactlyAsWritten) {
    const QStringList values{QString(1000, u'x'),
                             "  padded  ",
                             "\"quoted\"",
                             "'a' \"b\"",
                             "C:\\Users\\Zoë\\Tops\\01.png",
                             ";not a comment",
                             "a=b",
                             ""};
    for (const QString& value : values) {
        EXPECT_TRUE(write("S", "k", value).ok());
        EXPECT_EQ(read("S", "k"), value);
    }
}

TEST_F(ProfileFileTest, EightBitTextReadsAsWindows1252) {
    put("p.ini", "[S]\r\nk=C:\\Zo\xEB\\\x80 \x93quoted\x94\r\nutf8=Zo\xC3\xAB\r\n");
    EXPECT_EQ(read("S", "k"), QString::fromUtf8("C:\\Zoë\\€ “quoted”"));
    EXPECT_EQ(read("S", "utf8"), QString::fromUtf8("Zoë"));
    // A truncated UTF-8 sequence at the end of a value is not UTF-8 either.
    put("p.ini", "[S]\nk=\xC3\n");
    EXPECT_EQ(read("S", "k"), QString::fromUtf8("Ã"));
}

TEST_F(ProfileFileTest, RefusedWritesLeaveTheFileAlone) {
    put("p.ini", "[S]\r\nk=v\r\n");
    EXPECT_FALSE(write("S", "k", QString("two\r\nlines")).ok());
    EXPECT_FALSE(write("S", "k", QString("new\nforged=1")).ok());
    EXPECT_FALSE(write("S", "a=b", QString("v")).ok());
    EXPECT_FALSE(write("S]", "k", QString("v")).ok());
    EXPECT_FALSE(write("S", "", QString("v")).ok());
    EXPECT_EQ(bytesOf("p.ini"), "[S]\r\nk=v\r\n");

    const QByteArray image("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    put("picture.png", image);
    const FileOutcome outcome = WriteProfileValue(path("picture.png"), "S", "k", QString("v"));
    EXPECT_FALSE(outcome.ok());
    EXPECT_TRUE(outcome.problem.contains("not text")) << outcome.problem.toStdString();
    EXPECT_EQ(bytesOf("picture.png"), image);
    EXPECT_EQ(ReadProfileValue(path("picture.png"), "S", "k"), "");

    QDir(dir.path()).mkdir("folder.ini");
    EXPECT_FALSE(WriteProfileValue(path("folder.ini"), "S", "k", QString("v")).ok());
}

TEST_F(ProfileFileTest, FailedWriteSaysWhyInPlainWords) {
    const FileOutcome missingFolder = WriteProfileValue(path("gone/p.ini"), "S", "k", QString("v"));
    EXPECT_TRUE(missingFolder.problem.contains("does not exist"))
        << missingFolder.problem.toStdString();

    if (!test::permissionsEnforced()) {
        GTEST_SKIP() << "this user can write in read-only folders";
    }
    put("p.ini", "[S]\r\nk=old\r\n");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const FileOutcome readOnly = write("S", "k", QString("new"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(readOnly.problem.contains("permission")) << readOnly.problem.toStdString();
    EXPECT_EQ(bytesOf("p.ini"), "[S]\r\nk=old\r\n");
}

} // namespace
} // namespace brindo
