#include "catalogue/library_layout.h"
#include "document/outfit_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brindo {
namespace {

const QString kInstall = QStringLiteral("\\opt\\brindo");

QString keyText(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

class OutfitDocumentTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath("look.BRD");

    void put(const QByteArray& bytes) const {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QByteArray saved() const {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

    // Opens the file the way Open does, into an outfit whose slots are all off.
    OutfitState reopened(OutfitState before = {}) const {
        const LoadedProfile loaded = loadOutfitDocument(file);
        EXPECT_EQ(loaded.status, LoadedProfile::Status::Loaded) << loaded.problem.toStdString();
        const OutfitValues values(loaded.text);
        switchAllLayersOff(before);
        for (const SlotInfo& info : kSlotTable) {
            values.applyTo(info, before);
        }
        return before;
    }

    static OutfitState startUp() {
        OutfitState state;
        state.Bottom.switchOn(defaultBottomsPath(kInstall));
        return state;
    }
};

TEST_F(OutfitDocumentTest, FirstSaveAfterStartUpWritesTheKnownLayout) {
    OutfitState state = startUp();
    ASSERT_TRUE(saveOutfitDocument(file, state).ok());
    const QByteArray flags = "[Brindo]\r\n"
                             "Background1=False\r\nBottom1=True\r\nEyes1=False\r\n"
                             "Eyewear1=False\r\nFootwear1=False\r\nForegrounds1=False\r\n"
                             "FreAndPets1=False\r\nHair1=False\r\nHair3=False\r\n"
                             "Hats1=False\r\nInterest1=False\r\nMouth1=False\r\n"
                             "Other1=False\r\nReout1=False\r\nTops1=False\r\n"
                             "Bottom2=\\opt\\brindo\\Bottoms\\00.png\r\n";
    EXPECT_EQ(saved(), flags);

    // A two-part hairstyle, saved into a fresh file, adds its paths in slot order.
    state.Hair.switchOn(kInstall + "\\Hair\\Long\\001.png");
    state.HairExtra.switchOn(kInstall + "\\Hair\\Long\\002.png");
    QFile::remove(file);
    ASSERT_TRUE(saveOutfitDocument(file, state).ok());
    QByteArray expected = flags + "Hair2=\\opt\\brindo\\Hair\\Long\\001.png\r\n"
                                  "Hair4=\\opt\\brindo\\Hair\\Long\\002.png\r\n";
    expected.replace("Hair1=False", "Hair1=True").replace("Hair3=False", "Hair3=True");
    EXPECT_EQ(saved(), expected);

    // Saving the same outfit again leaves the same file.
    ASSERT_TRUE(saveOutfitDocument(file, state).ok());
    EXPECT_EQ(saved(), expected);
}

TEST_F(OutfitDocumentTest, EverySlotSurvivesSaveAndOpen) {
    OutfitState state;
    int n = 0;
    for (const SlotInfo& info : kSlotTable) {
        (state.*(info.field))
            .switchOn(QStringLiteral("\\lib\\%1\\%2.png").arg(keyText(info.name)).arg(n));
        (state.*(info.field)).enabled = n % 2 == 0;
        ++n;
    }
    state.ReadyMadeOutfit.switchOn("05");
    state.Tops.imagePath = QString(); // set, but empty
    state.Other.imagePath.reset();    // never set
    state.Other.enabled = true;
    ASSERT_TRUE(saveOutfitDocument(file, state).ok());

    const QByteArray bytes = saved();
    EXPECT_TRUE(bytes.contains("\r\nTops2=\r\n"));
    EXPECT_FALSE(bytes.contains("Other2"));

    // Opening into an outfit with other paths: the slots that are on come from
    // the document, the others keep what they had.
    OutfitState other;
    for (const SlotInfo& info : kSlotTable) {
        (other.*(info.field)).switchOn("\\elsewhere");
    }
    const OutfitState opened = reopened(other);
    for (const SlotInfo& info : kSlotTable) {
        const LayerSlot& want = state.*(info.field);
        const LayerSlot& got = opened.*(info.field);
        EXPECT_EQ(got.enabled, want.enabled) << info.name;
        EXPECT_EQ(got.path(), want.enabled ? want.path() : QString("\\elsewhere")) << info.name;
    }
}

TEST_F(OutfitDocumentTest, OnlyAnExactTrueSwitchesALayerOn) {
    put("; made by hand\n"
        "[brindo]\n"
        "Eyes1=true\nEyes2=\\lib\\eyes.png\n"
        "Hats1=TRUE\nHats2=\\lib\\hats.png\n"
        "Tops1=1\nTops2=\\lib\\tops.png\n"
        "Mouth1= True \n"
        "hair1=\"True\"\nHair2 = \\lib\\hair.png\n"
        "Bottom1=False\nBottom2=\\lib\\bottoms.png\n");
    const OutfitState opened = reopened();
    EXPECT_FALSE(opened.Eyes.enabled);
    EXPECT_FALSE(opened.Hats.enabled);
    EXPECT_FALSE(opened.Tops.enabled);
    EXPECT_FALSE(opened.Bottom.enabled);
    EXPECT_FALSE(opened.Bottom.imagePath.has_value());
    EXPECT_TRUE(opened.Mouth.enabled);
    EXPECT_EQ(opened.Mouth.imagePath, QString(""));
    EXPECT_TRUE(opened.Hair.enabled);
    EXPECT_EQ(opened.Hair.path(), "\\lib\\hair.png");

    put("");
    const OutfitState empty = reopened(startUp());
    EXPECT_FALSE(empty.Bottom.enabled);
}

TEST_F(OutfitDocumentTest, SavingIntoAnotherIniKeepsItsOtherLines) {
    const QByteArray foreign = "; settings of another program\r\n"
                               "[Window]\r\n"
                               "Width = 640\n"
                               "\r\n"
                               "[Brindo]\r\n"
                               "; the outfit\r\n"
                               "Bottom1=False\r\n"
                               "Note=kept\r\n"
                               "\r\n"
                               "[Tail]\n"
                               "x=1";
    put(foreign);
    ASSERT_TRUE(saveOutfitDocument(file, startUp()).ok());
    QByteArray added;
    for (const SlotInfo& info : kSlotTable) {
        if (info.id != SlotId::Bottom) {
            added += keyText(info.flagKey).toLatin1() + "=False\r\n";
        }
    }
    added += "Bottom2=\\opt\\brindo\\Bottoms\\00.png\r\n";
    QByteArray expected = foreign;
    expected.replace("Bottom1=False\r\nNote=kept\r\n", "Bottom1=True\r\nNote=kept\r\n" + added);
    EXPECT_EQ(saved(), expected);
}

TEST_F(OutfitDocumentTest, SaveGivesWhatThirtySingleWritesGive) {
    OutfitState state = startUp();
    state.Hair.switchOn("\\lib\\hair.png");
    state.Hair.enabled = false;
    state.Tops.imagePath = QString();
    const QList<QByteArray> starts{
        "",
        "\xEF\xBB\xBF",
        "[Other]\nx=1",
        "[Brindo]\nHair2=old\nOther2=gone\nhair1=True\n; end\n\n[Next]\n",
        "[Brindo]\r\nTops2=\"\"\r\nBottom1=True\r\n[brindo]\r\nEyes1=True",
    };
    for (const QByteArray& start : starts) {
        ProfileText batch(start);
        ASSERT_TRUE(writeOutfit(batch, state).ok());
        ProfileText single(start);
        for (const SlotInfo& info : kSlotTable) {
            single.write(kOutfitSection, keyText(info.flagKey),
                         QString((state.*(info.field)).enabled ? "True" : "False"));
        }
        for (const SlotInfo& info : kSlotTable) {
            single.write(kOutfitSection, keyText(info.pathKey), (state.*(info.field)).imagePath);
        }
        EXPECT_EQ(batch.bytes(), single.bytes()) << start.toStdString();
    }
}

TEST_F(OutfitDocumentTest, RefusedSavesNameTheFileAndKeepItIntact) {
    const QByteArray before = "[Brindo]\r\nTops1=True\r\n";
    put(before);
    OutfitState state = startUp();
    state.Hats.switchOn("\\lib\\hats.png\r\nTops1=False");
    const FileOutcome forged = saveOutfitDocument(file, state);
    EXPECT_TRUE(forged.problem.contains("Hats")) << forged.problem.toStdString();
    EXPECT_TRUE(forged.problem.contains(QDir::toNativeSeparators(file)));
    EXPECT_EQ(saved(), before);

    const QByteArray picture("GIF89a\0\0\0", 9);
    put(picture);
    const FileOutcome binary = saveOutfitDocument(file, startUp());
    EXPECT_TRUE(binary.problem.contains("not text")) << binary.problem.toStdString();
    EXPECT_EQ(saved(), picture);
    const LoadedProfile opened = loadOutfitDocument(file);
    EXPECT_TRUE(opened.refused());
    EXPECT_TRUE(opened.problem.contains("is not an outfit document"));

    // A huge file is refused without being read (here a sparse one).
    ASSERT_TRUE(QFile::resize(file, kMaxProfileFileBytes + 1));
    EXPECT_TRUE(loadOutfitDocument(file).problem.contains("too large"));
    EXPECT_FALSE(saveOutfitDocument(file, startUp()).ok());
    EXPECT_EQ(QFileInfo(file).size(), kMaxProfileFileBytes + 1);
}

TEST_F(OutfitDocumentTest, NewKeepsPathsAndWearsTheDefaultBottoms) {
    OutfitState state;
    state.documentPath = file;
    state.currentCategory = "Hats";
    state.Hats.switchOn("\\lib\\hats.png");
    state.Bottom.switchOn("\\lib\\jeans.png");
    startNewOutfit(state, kInstall);

    OutfitState expected;
    expected.currentCategory = "Hats";
    expected.Hats.imagePath = "\\lib\\hats.png";
    expected.Bottom.switchOn(defaultBottomsPath(kInstall));
    EXPECT_EQ(state, expected);
}

} // namespace
} // namespace brindo
