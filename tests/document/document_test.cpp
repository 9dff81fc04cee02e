#include "catalogue/library_layout.h"
#include "document/outfit_document.h"
#include "document/profile_file.h"
#include "support/file_bytes.h"
#include "support/profile_values.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brindo {
namespace {

class ProfileFileTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath("p.ini");

    void put(const QByteArray& bytes) const { test::writeFile(file, bytes); }
    QByteArray bytes() const { return test::readFile(file); }
    QString read(const QString& section, const QString& key) const {
        return test::readProfileValue(file, section, key);
    }
    FileOutcome write(const QString& section, const QString& key,
                      const std::optional<QString>& value) const {
        return test::writeProfileValue(file, section, key, value);
    }

    // Writes the key into section S of `before` and expects exactly `after`.
    void expectWrite(const QByteArray& before, const QString& key,
                     const std::optional<QString>& value, const QByteArray& after) {
        put(before);
        EXPECT_TRUE(write("S", key, value).ok());
        EXPECT_EQ(bytes(), after) << before.toStdString();
    }
};

TEST_F(ProfileFileTest, ReadingFollowsTheLooseTextRules) {
    put("\xEF\xBB\xBF"
        "Key=before any section\r\n; Key=a comment\n"
        "[ brindo ]  \n  KEY  =  \"quoted value\"  \r\n"
        "single='x'\nmixed=\"x'\nequals=a=b\nkey=second of a duplicate key\n"
        "[Other]\n[BRINDO]\nlate=in a duplicate section\n"
        "[Last]\ncp1252=C:\\Zo\xEB\\\x80 \x93q\x94\ntruncated=\xC3\nend = no final line end");
    EXPECT_EQ(read(" Brindo ", "key"), "quoted value");
    EXPECT_EQ(read("Brindo", "single"), "x");
    EXPECT_EQ(read("Brindo", "mixed"), "\"x'");
    EXPECT_EQ(read("Brindo", "equals"), "a=b");
    EXPECT_EQ(read("Brindo", "late"), "");
    EXPECT_EQ(read("", "Key"), "");
    EXPECT_EQ(read("Brindo", "; Key"), "");
    EXPECT_EQ(read("Last", "end"), "no final line end");
    // Bytes that are not UTF-8 read as Windows-1252, also a cut-off UTF-8 sequence.
    EXPECT_EQ(read("Last", "cp1252"), QString::fromUtf8("C:\\Zoë\\€ “q”"));
    EXPECT_EQ(read("Last", "truncated"), QString::fromUtf8("Ã"));
}

// Missing files, sections and keys read empty and create nothing; values come back exactly.
TEST_F(ProfileFileTest, MissingKeysReadEmptyAndValuesComeBackAsWritten) {
    EXPECT_EQ(read("S", "k"), "");
    EXPECT_TRUE(write("S", "k", std::nullopt).ok());
    EXPECT_FALSE(QFile::exists(file));
    put("[S]\nk=v\n");
    EXPECT_EQ(read("T", "k"), "");
    EXPECT_EQ(read("S", "j"), "");
    EXPECT_TRUE(write("S", "gone", std::nullopt).ok());
    EXPECT_EQ(bytes(), "[S]\nk=v\n");

    for (const char* value : {"  padded  ", "\"quoted\"", "'a' \"b\"", ";not a comment", "a=b",
                              "C:\\Zo\xC3\xAB\\01.png"}) {
        EXPECT_TRUE(write("S", "k", QString::fromUtf8(value)).ok());
        EXPECT_EQ(read("S", "k"), QString::fromUtf8(value));
    }
}

TEST_F(ProfileFileTest, WritingKeepsEveryOtherLineByteForByte) {
    EXPECT_TRUE(write("S", "k", QString("v")).ok());
    EXPECT_TRUE(write("T", "k", QString()).ok());
    EXPECT_EQ(bytes(), "[S]\r\nk=v\r\n[T]\r\nk=\r\n") << "a new file is CRLF, sections go last";

    const QByteArray other = "; head comment\r\n[Other]\nk=other\r\n\r\n";
    // Replacing keeps the line's own spelling of the key and its line end.
    expectWrite(other + "[s]\r\n  K = old\n; tail\r\n\r\n[T]\n", "k", QString("new"),
                other + "[s]\r\n  K=new\n; tail\r\n\r\n[T]\n");
    // A new key follows the section's last line, comments included, before blanks.
    expectWrite(other + "[S]\r\nk=1\n; tail\n\r\n\n[T]\nx=1", "j", QString("2"),
                other + "[S]\r\nk=1\n; tail\nj=2\r\n\r\n\n[T]\nx=1");
    // A last line gets a line end, like the file's first line, before a new one.
    expectWrite("[S]\nk=1", "j", QString("2"), "[S]\nk=1\nj=2\n");
    expectWrite("[X]\nk=1", "j", QString("2"), "[X]\nk=1\n[S]\nj=2\n");
    // Removing takes the key's lines and nothing else.
    expectWrite(other + "[S]\r\na=1\nk=2\r\nK=dup\nb=3\n[T]\nk=4\n", "k", std::nullopt,
                other + "[S]\r\na=1\nb=3\n[T]\nk=4\n");
    // Of duplicate sections the first one is written.
    expectWrite("[S]\na=1\n[S]\nk=2\n", "k", QString("3"), "[S]\na=1\nk=3\n[S]\nk=2\n");
    // A byte-order mark stays first.
    expectWrite("\xEF\xBB\xBF[S]\r\n", "k", QString("v"), "\xEF\xBB\xBF[S]\r\nk=v\r\n");
    expectWrite("\xEF\xBB\xBF", "k", QString("v"), "\xEF\xBB\xBF[S]\r\nk=v\r\n");
    // The value the key has already: nothing changes.
    expectWrite("[s]\n k = \"v\" \n", "K", QString("v"), "[s]\n k = \"v\" \n");
}

TEST_F(ProfileFileTest, CrAloneEndsALineLikeLfAndCrLf) {
    put("[S]\rk=cr\r[T]\r\nk=crlf\n[U]\nk=lf\r\r\n[V]\rk=last\r");
    EXPECT_EQ(read("S", "k"), "cr");
    EXPECT_EQ(read("T", "k"), "crlf");
    EXPECT_EQ(read("U", "k"), "lf");
    EXPECT_EQ(read("V", "k"), "last");

    // An old Mac file stays one: lines are added, replaced and removed in CR.
    expectWrite("[S]\rk=1\r\r[T]\rx=1", "j", QString("2"), "[S]\rk=1\rj=2\r\r[T]\rx=1");
    expectWrite("[S]\rk=1", "j", QString("2"), "[S]\rk=1\rj=2\r");
    expectWrite("[X]\rk=1", "j", QString("2"), "[X]\rk=1\r[S]\rj=2\r");
    expectWrite("[S]\rk=1\rj=2\r", "K", QString("3"), "[S]\rk=3\rj=2\r");
    expectWrite("[S]\rk=1\rj=2\r", "k", std::nullopt, "[S]\rj=2\r");
    // With mixed line ends, no CR is left to join an empty LF line into one CRLF.
    expectWrite("[S]\rk=1\n\n[T]\r", "j", QString("2"), "[S]\rk=1\n\nj=2\r[T]\r");
    expectWrite("[S]\rk=1\n\nx=1\r", "k", std::nullopt, "[S]\rx=1\r");
}

// A value or key that would forge other lines is refused.
TEST_F(ProfileFileTest, RefusedWritesKeepTheFile) {
    put("[S]\r\nk=v\r\n");
    EXPECT_FALSE(write("S", "k", QString("new\nforged=1")).ok());
    EXPECT_FALSE(write("S", "a=b", QString("v")).ok());
    EXPECT_EQ(bytes(), "[S]\r\nk=v\r\n");
}

const QString kLibrary = QStringLiteral("\\opt\\brindo");
// What the first save after start-up writes.
const QByteArray kStartUpLayout = "[Brindo]\r\n"
                                  "Background1=False\r\nBottom1=True\r\nEyes1=False\r\n"
                                  "Eyewear1=False\r\nFootwear1=False\r\nForegrounds1=False\r\n"
                                  "FreAndPets1=False\r\nHair1=False\r\nHair3=False\r\n"
                                  "Hats1=False\r\nInterest1=False\r\nMouth1=False\r\n"
                                  "Other1=False\r\nReout1=False\r\nTops1=False\r\n"
                                  "Bottom2=\\opt\\brindo\\Bottoms\\00.png\r\n";

// Outfit documents are profile files with one section.
class OutfitDocumentTest : public ProfileFileTest {
protected:
    // Opens the file the way Open does: every layer off, then the ones it switches on.
    Outfit reopened(Outfit state = {}) const {
        const LoadedProfile loaded = loadOutfitDocument(file);
        EXPECT_EQ(loaded.status, LoadedProfile::Status::Loaded) << loaded.problem.toStdString();
        return outfitFromDocument(loaded.text, state);
    }

    static Outfit startUp() {
        Outfit state;
        state.bottom.switchOn(defaultBottomsPath(kLibrary));
        return state;
    }
};

TEST_F(OutfitDocumentTest, FirstSaveAfterStartUpWritesTheKnownLayout) {
    ASSERT_TRUE(saveOutfitDocument(file, startUp()).ok());
    EXPECT_EQ(bytes(), kStartUpLayout);
}

TEST_F(OutfitDocumentTest, EverySlotSurvivesSaveAndOpen) {
    Outfit state;
    int n = 0;
    for (const SlotInfo& info : kSlotTable) {
        LayerSlot& slot = state.*(info.field);
        slot.switchOn(QStringLiteral("\\lib\\%1\\Zoë.png").arg(n));
        slot.enabled = n++ % 2 == 0;
    }
    state.hats.switchOn(QString(1000, u'x'));
    state.tops.imagePath = QString(); // set, but empty
    state.other.imagePath.reset();    // never set
    state.other.enabled = true;
    ASSERT_TRUE(saveOutfitDocument(file, state).ok());
    EXPECT_TRUE(bytes().contains("\r\nTops2=\r\n"));
    EXPECT_FALSE(bytes().contains("Other2"));

    // The layers that are on come from the document.
    Outfit expected = state;
    for (const SlotInfo& info : kSlotTable) {
        if (!(expected.*(info.field)).enabled) {
            (expected.*(info.field)).imagePath.reset();
        }
    }
    expected.other.imagePath = QString();
    EXPECT_EQ(reopened(), expected);
}

TEST_F(OutfitDocumentTest, OnlyAnExactTrueSwitchesALayerOn) {
    put("; made by hand\n[brindo]\n"
        "Eyes1=true\nEyes2=\\lib\\eyes.png\nHats1=TRUE\nTops1=1\nMouth1= True \n"
        "hair1=\"True\"\nHair2 = \\lib\\Zo\xEB.png\n"
        "Bottom1=False\nBottom2=\\lib\\bottoms.png\n");
    const Outfit opened = reopened();
    EXPECT_FALSE(opened.eyes.enabled || opened.hats.enabled || opened.tops.enabled);
    EXPECT_FALSE(opened.bottom.enabled || opened.bottom.imagePath.has_value());
    EXPECT_TRUE(opened.mouth.enabled);
    EXPECT_EQ(opened.mouth.imagePath, QString(""));
    EXPECT_TRUE(opened.hair.enabled);
    EXPECT_EQ(opened.hair.path(), QString::fromUtf8("\\lib\\Zoë.png")) << "a Windows-1252 byte";

    put("[Brindo]\n"); // every layer goes off and keeps its path
    const Outfit empty = reopened(startUp());
    EXPECT_FALSE(empty.bottom.enabled);
    EXPECT_EQ(empty.bottom.path(), defaultBottomsPath(kLibrary));
}

// Only a file with the outfit section opens, yet a save adds it to any text.
TEST_F(OutfitDocumentTest, TextWithoutTheOutfitSectionHoldsNoOutfitYetTakesASave) {
    for (const char* text : {"", "# Notes\n\nTops1=True\n", "[Window]\nWidth=640\n[Brindos]\n"}) {
        put(text);
        const LoadedProfile loaded = loadOutfitDocument(file);
        EXPECT_EQ(loaded.status, LoadedProfile::Status::NoOutfit) << text;
        EXPECT_TRUE(loaded.problem.contains(QDir::toNativeSeparators(file)) &&
                    loaded.problem.contains("holds no outfit"))
            << loaded.problem.toStdString();
    }
    put("[Window]\nWidth=640\n");
    ASSERT_TRUE(saveOutfitDocument(file, startUp()).ok());
    EXPECT_EQ(reopened(), startUp());
    EXPECT_TRUE(bytes().startsWith("[Window]\nWidth=640\n[Brindo]\n"));
}

TEST_F(OutfitDocumentTest, SavingIntoAnotherIniKeepsItsOtherLines) {
    const QByteArray foreign = "; settings of another program\r\n[Window]\r\nWidth = 640\n\r\n"
                               "[Brindo]\r\n; the outfit\r\nbottom1=False\r\nTops2=stale\r\n"
                               "Note=kept\r\n\r\n[Tail]\nx=1";
    put(foreign);
    Outfit state = startUp();
    state.hair.switchOn(kLibrary + "\\Hair\\Long\\001.png");
    state.hairExtra.switchOn(kLibrary + "\\Hair\\Long\\002.png");
    ASSERT_TRUE(saveOutfitDocument(file, state).ok());
    // The flag changes in place, the unset path goes, new keys follow in slot order.
    QByteArray added = kStartUpLayout;
    added.remove(0, 10).replace("Bottom1=True\r\n", "");
    added.replace("Hair1=False", "Hair1=True").replace("Hair3=False", "Hair3=True");
    QByteArray expected = foreign;
    expected.replace("bottom1=False\r\nTops2=stale\r\nNote=kept\r\n",
                     "bottom1=True\r\nNote=kept\r\n" + added +
                         "Hair2=\\opt\\brindo\\Hair\\Long\\001.png\r\n"
                         "Hair4=\\opt\\brindo\\Hair\\Long\\002.png\r\n");
    EXPECT_EQ(bytes(), expected);
}

TEST_F(OutfitDocumentTest, RefusedSavesNameTheFileAndKeepItIntact) {
    put("[Brindo]\r\nTops1=True\r\n");
    Outfit state = startUp();
    state.hats.switchOn("\\lib\\hats.png\r\nTops1=False");
    const FileOutcome forged = saveOutfitDocument(file, state);
    EXPECT_TRUE(forged.problem.contains("Hats")) << forged.problem.toStdString();
    EXPECT_TRUE(forged.problem.contains(QDir::toNativeSeparators(file)));
    EXPECT_EQ(bytes(), "[Brindo]\r\nTops1=True\r\n");

    const QByteArray withNul("[Brindo]\nTops1=True\0", 20);
    put(withNul);
    EXPECT_TRUE(saveOutfitDocument(file, startUp()).problem.contains("not text"));
    EXPECT_EQ(bytes(), withNul);
    EXPECT_TRUE(loadOutfitDocument(file).problem.contains("is not an outfit document"));
}

} // namespace
} // namespace brindo
