#include "library_browser.h"

#include <QDir>

namespace brindo {
namespace {

using test::LibraryBrowser;
using test::TempLibrary;

struct CategorySlot {
    const char* category;
    SlotId slot;
};

// The first keyword found in the category's name decides, wherever the
// program is installed and whatever the item is called.
TEST(ItemPickTest, FlatCategoryDressesTheSlotOfItsFirstKeyword) {
    // clang-format off
    const CategorySlot categories[] = {
        {"Backgrounds", SlotId::Background}, {"Bottoms", SlotId::Bottom}, {"Eyes", SlotId::Eyes},
        {"Eyewear", SlotId::Eyewear}, {"Footwear", SlotId::Footwear},
        {"Foregrounds", SlotId::Foregrounds}, {"Friends and pets", SlotId::FriendsAndPets},
        {"Hats", SlotId::Hats}, {"Interests", SlotId::Interests}, {"Mouth", SlotId::Mouth},
        {"Other", SlotId::Other}, {"TOPS", SlotId::Tops}, {"Eyes and mouth", SlotId::Mouth},
        {"Hats and tops", SlotId::Hats}, {"Tops for brothers", SlotId::Other}};
    // clang-format on
    for (const QString install : {"install", "Mother/eyes/mouthwash/hair/prog"}) {
        TempLibrary library(install);
        for (const CategorySlot& entry : categories) {
            SCOPED_TRACE(testing::Message() << install.toStdString() << " " << entry.category);
            const QString category = QString::fromLatin1(entry.category);
            library.addFile(category + "/brother.PNG");
            LibraryBrowser browser(library);
            browser.state.ReadyMadeOutfit.switchOn("05");
            browser.open(category);

            EXPECT_FALSE(browser.pick("brother"));
            OutfitState expected;
            expected.currentCategory = category;
            expected.ReadyMadeOutfit.imagePath = "05";
            expected.slot(entry.slot).switchOn(library.stored(category + "/brother.png"));
            EXPECT_EQ(browser.state, expected);

            browser.pick("<none>");
            expected.slot(entry.slot).enabled = false;
            EXPECT_EQ(browser.state, expected) << "\"<none>\" keeps the path";
        }
    }
}

TEST(ItemPickTest, CategoryWithoutKeywordOnlyTakesTheReadyMadeOutfitOff) {
    TempLibrary library;
    for (const QString file :
         {"Shoes/01.png", "Capes/Red/00.png", "Capes/Red/01.png", "Capes/Red/02.png"}) {
        library.addFile(file);
    }
    LibraryBrowser browser(library);
    browser.state.ReadyMadeOutfit.switchOn("03");
    browser.open("Shoes");
    OutfitState expected = browser.state;
    expected.ReadyMadeOutfit.enabled = false;
    EXPECT_FALSE(browser.pick("01"));
    EXPECT_EQ(browser.state, expected);

    browser.open("Capes");
    expected.currentCategory = "Capes";
    EXPECT_EQ(browser.pick("Red"), (QStringList{"01", "02"})) << "variants are still offered";
    browser.pickVariantAt(1, "02");
    EXPECT_EQ(browser.state, expected);
    browser.expectFileListAt("Capes");
}

TEST(ItemPickTest, HairFileCountTellsOneLayerFromTwoLayerItems) {
    struct Case {
        int images;
        bool extraFile;
        bool oneLayer;
    };
    for (const Case c : {Case{20, false, false}, Case{21, false, true}, Case{20, true, true},
                         Case{21, true, false}}) {
        SCOPED_TRACE(testing::Message() << c.images << " images, extra file " << c.extraFile);
        TempLibrary library;
        test::addHairItem(library, "Hair/Long", c.images);
        if (c.extraFile) {
            library.addFile("Hair/Long/readme.txt");
        }
        LibraryBrowser browser(library);
        browser.state.HairExtra.imagePath = "back.png";
        browser.state.ReadyMadeOutfit.switchOn("01");
        browser.open("Hair");

        const auto rows = browser.pick("Long");
        ASSERT_TRUE(rows && rows->size() == 20);
        EXPECT_EQ(rows->at(6), "07");
        EXPECT_FALSE(browser.state.ReadyMadeOutfit.enabled);
        EXPECT_TRUE(browser.state.Hair.enabled);
        EXPECT_EQ(browser.state.Hair.path(),
                  library.stored(c.oneLayer ? "Hair/Long/00.png" : "Hair/Long/001.png"));
        EXPECT_EQ(browser.state.HairExtra.enabled, !c.oneLayer);
        EXPECT_EQ(browser.state.HairExtra.path(),
                  c.oneLayer ? "back.png" : library.stored("Hair/Long/002.png"));
        browser.expectFileListAt("Hair");
    }
}

TEST(ItemPickTest, EyesAndMouthFolderItemsPutOnTheirBaseImageAndOfferVariants) {
    TempLibrary library;
    for (const QString file :
         {"Mouth/Smile/00.png", "Mouth/Grin/00.png", "Mouth/Grin/02.png", "Mouth/Grin/01.png",
          "Eyes/mouthy/00.png", "Eyes/mouthy/abcd", "Eyes/mouthy/ab"}) {
        library.addFile(file);
    }
    library.addFolder("Eyes/Blank");
    LibraryBrowser browser(library);

    browser.open("Mouth");
    EXPECT_FALSE(browser.pick("Smile")) << "one file: no variant list";
    EXPECT_EQ(browser.state.Mouth.path(), library.stored("Mouth/Smile/00.png"));
    EXPECT_EQ(browser.pick("Grin"), (QStringList{"01", "02"}));
    EXPECT_EQ(browser.state.Mouth.path(), library.stored("Mouth/Grin/00.png"));
    browser.expectFileListAt("Mouth");

    browser.open("Eyes");
    EXPECT_EQ(browser.pick("mouthy"), (QStringList{"ab", ""}));
    EXPECT_EQ(browser.state.Eyes.path(), library.stored("Eyes/mouthy/00.png"));
    EXPECT_EQ(browser.state.Mouth.path(), library.stored("Mouth/Grin/00.png"));
    const OutfitState before = browser.state;
    EXPECT_EQ(browser.pick("Blank"), QStringList()) << "an empty folder shows an empty list";
    EXPECT_EQ(browser.state, before);
}

TEST(ItemPickTest, ReadyMadeOutfitStoresTheRowTextOnly) {
    TempLibrary library;
    library.addFolder("Ready-made outfits/05");
    LibraryBrowser browser(library);
    browser.open("Ready-made outfits");
    browser.state.Tops.switchOn("top.png");
    OutfitState expected = browser.state;
    expected.ReadyMadeOutfit.switchOn("05");

    EXPECT_FALSE(browser.pick("05"));
    EXPECT_EQ(browser.state, expected);
}

TEST(ItemPickTest, ItemFolderThatCannotBeListedChangesNothing) {
    TempLibrary library;
    library.addFile("Hair/01.png");
    library.addFolder("Eyes/Gone");
    LibraryBrowser browser(library);
    browser.state.ReadyMadeOutfit.switchOn("02");
    for (const QString row : {"<none>", "01"}) {
        browser.open("Hair");
        const OutfitState before = browser.state;
        EXPECT_FALSE(browser.pick(row));
        EXPECT_EQ(browser.state, before);
        browser.expectFileListAt("Hair");
    }

    browser.open("Eyes");
    ASSERT_TRUE(QDir(library.native("Eyes/Gone")).removeRecursively());
    const OutfitState before = browser.state;
    EXPECT_FALSE(browser.pick("Gone"));
    EXPECT_EQ(browser.state, before);
    browser.expectFileListAt("Eyes");
}

} // namespace
} // namespace brindo
