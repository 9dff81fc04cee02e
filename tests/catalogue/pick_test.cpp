#include "catalogue/item_pick.h"
#include "catalogue/variant_pick.h"
#include "support/non_regular_files.h"
#include "support/temp_library.h"

#include <QDir>
#include <gtest/gtest.h>

namespace brindo::test {
namespace {

// Browses a temporary library the way the three lists do, without a window.
struct LibraryBrowser {
    explicit LibraryBrowser(const TempLibrary& library) : library(library) {}

    QStringList open(const QString& category) {
        opened = openCategory(library.stored(), category);
        return opened ? opened->rows : QStringList();
    }
    std::optional<QStringList> pick(const QString& item) {
        pickedItem = item;
        ItemPick pick = pickItem(*opened, item, state);
        state = pick.outfit;
        return pick.variantRows;
    }
    void pickVariantAt(int index, const QString& row) {
        state = pickVariant(*opened, pickedItem, index, row, state);
    }

    const TempLibrary& library;
    Outfit state;
    std::optional<OpenCategory> opened;
    QString pickedItem;
};

// A category lists "<none>" and its files' names, or else its sub-folders.
TEST(CategoryPickTest, FlatAndFolderCategoriesListTheirRows) {
    TempLibrary library;
    library.addFiles({"Tops/B.png", "Tops/A.PNG", "Tops/.hidden.png", "Tops/Sleeves/01.png",
                      "Tops/ab", "Tops/abcd", "Hair/long/00.png", "Hair/Curly/00.png"});
    makeNonRegularFile(NonRegularFile::NamedPipe, library.native("Tops/pipe.png"));
    library.addFolder("Empty");
    LibraryBrowser browser(library);

    EXPECT_EQ(browser.open("Empty"), QStringList()) << "no \"<none>\" without files";
    EXPECT_EQ(browser.opened->kind, CategoryKind::ItemFolders);
    EXPECT_EQ(browser.open("Tops"), (QStringList{"<none>", "A", "ab", "", "B"}));
    EXPECT_EQ(browser.opened->kind, CategoryKind::Flat);
    EXPECT_EQ(browser.open("Hair"), (QStringList{"Curly", "long"}));
    EXPECT_EQ(browser.opened->kind, CategoryKind::Hair);
    EXPECT_EQ(browser.opened->folder, library.stored("Hair"));
    EXPECT_FALSE(openCategory(library.stored(), "Gone"));
}

// The first keyword in the category's name decides, not the library's path.
TEST(ItemPickTest, FlatCategoryDressesTheSlotOfItsFirstKeyword) {
    // clang-format off
    const std::pair<QString, SlotId> categories[] = {
        {"Backgrounds", SlotId::Background}, {"Bottoms", SlotId::Bottom}, {"Eyes", SlotId::Eyes},
        {"Eyewear", SlotId::Eyewear}, {"Footwear", SlotId::Footwear},
        {"Foregrounds", SlotId::Foregrounds}, {"Friends and pets", SlotId::FriendsAndPets},
        {"Hats", SlotId::Hats}, {"Interests", SlotId::Interests}, {"Mouth", SlotId::Mouth},
        {"Other", SlotId::Other}, {"TOPS", SlotId::Tops}, {"Eyes and mouth", SlotId::Mouth},
        {"Hats and tops", SlotId::Hats}, {"Tops for brothers", SlotId::Other}};
    // clang-format on
    const TempLibrary library("Mother/eyes/mouthwash/hair/prog");
    for (const auto& [category, slot] : categories) {
        SCOPED_TRACE(category.toStdString());
        library.addFile(category + "/brother.PNG");
        LibraryBrowser browser(library);
        browser.open(category);
        Outfit expected = browser.state;
        expected.slot(slot).switchOn(library.stored(category + "/brother.png"));
        EXPECT_FALSE(browser.pick("brother"));
        EXPECT_EQ(browser.state, expected);
    }
}

// Categories without a keyword take the ready-made outfit off; one keeps the other layers.
TEST(ItemPickTest, ReadyMadeOutfitAndCategoriesWithoutKeyword) {
    TempLibrary library;
    library.addFiles({"Shoes/01.png", "Capes/Red/00.png", "Capes/Red/01.png"});
    library.addFolder("Ready-made outfits/05");
    LibraryBrowser browser(library);
    browser.state.tops.switchOn("top.png");
    browser.open("Ready-made outfits");
    Outfit expected = browser.state;
    expected.readyMadeOutfit.switchOn("05");
    EXPECT_FALSE(browser.pick("05"));
    EXPECT_EQ(browser.state, expected);

    browser.open("Shoes");
    expected.readyMadeOutfit.enabled = false;
    EXPECT_FALSE(browser.pick("01"));
    EXPECT_EQ(browser.state, expected);
    browser.open("Capes");
    EXPECT_EQ(browser.pick("Red"), QStringList{"01"}) << "variants are still offered";
    browser.pickVariantAt(0, "01");
    EXPECT_EQ(browser.state, expected);
}

// Eyes and mouth items put on "00.png" and offer the other files as variants.
TEST(ItemPickTest, EyesAndMouthItemsPutOnTheirBaseImageAndOfferVariants) {
    TempLibrary library("Mouthwash/install");
    library.addFiles({"Mouth/Smile/00.png", "Mouth/Grin/00.png", "Mouth/Grin/02.png",
                      "Mouth/Grin/01.png", "Eyes/mouthy/00.png", "Eyes/mouthy/abcd",
                      "Eyes/mouthy/ab"});
    library.addFolder("Eyes/Blank");
    LibraryBrowser browser(library);

    browser.open("Mouth");
    EXPECT_FALSE(browser.pick("Smile")) << "one file: no variant list";
    EXPECT_EQ(browser.state.mouth.path(), library.stored("Mouth/Smile/00.png"));
    EXPECT_EQ(browser.pick("Grin"), (QStringList{"01", "02"}));
    EXPECT_EQ(browser.state.mouth.path(), library.stored("Mouth/Grin/00.png"));
    browser.pickVariantAt(1, "02");
    EXPECT_EQ(browser.state.mouth.path(), library.stored("Mouth/Grin/02.png"));

    browser.open("Eyes");
    EXPECT_EQ(browser.pick("mouthy"), (QStringList{"ab", ""}));
    EXPECT_EQ(browser.state.eyes.path(), library.stored("Eyes/mouthy/00.png"));
    Outfit expected = browser.state;
    expected.eyes.imagePath = library.stored("Eyes/mouthy/ab.png");
    browser.pickVariantAt(0, "ab");
    EXPECT_EQ(browser.state, expected);
    EXPECT_FALSE(browser.pick("Gone")) << "an item folder that cannot be listed";
    EXPECT_EQ(browser.state, expected);
    EXPECT_EQ(browser.pick("Blank"), QStringList()) << "an empty folder shows an empty list";
}

// 21 files make one-layer hair ("07.png"), others two-layer ("071.png", "072.png").
TEST(VariantPickTest, HairFileCountTellsOneLayerFromTwoLayerItems) {
    const struct {
        int images;
        bool extraFile;
        bool oneLayer;
    } cases[] = {{20, false, false}, {21, false, true}, {20, true, true}, {21, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.images << " images, extra file " << c.extraFile);
        TempLibrary library;
        for (int i = 0; i < c.images; ++i) {
            library.addFile(QStringLiteral("HAIR/Long/%1.png").arg(i, 3, 10, QChar(u'0')));
        }
        if (c.extraFile) {
            library.addFile("HAIR/Long/readme.txt");
        }
        LibraryBrowser browser(library);
        browser.state.hairExtra.switchOn("back.png"); // worn, from a two-layer item before
        browser.state.readyMadeOutfit.switchOn("01");
        browser.open("HAIR");
        const auto expectHair = [&](const QString& number) {
            const QString item = "HAIR/Long/" + number;
            EXPECT_TRUE(browser.state.hair.enabled);
            EXPECT_EQ(browser.state.hair.path(),
                      library.stored(item + (c.oneLayer ? ".png" : "1.png")));
            EXPECT_EQ(browser.state.hairExtra.enabled, !c.oneLayer);
            EXPECT_EQ(browser.state.hairExtra.path(),
                      c.oneLayer ? "back.png" : library.stored(item + "2.png"));
        };

        const auto rows = browser.pick("Long");
        ASSERT_TRUE(rows && rows->size() == 20);
        EXPECT_EQ(rows->at(6), "07");
        EXPECT_FALSE(browser.state.readyMadeOutfit.enabled);
        expectHair("00");
        browser.pickVariantAt(11, "row text is not used");
        expectHair("12");

        // An item folder gone meanwhile changes nothing.
        ASSERT_TRUE(QDir(library.native("HAIR/Long")).removeRecursively());
        EXPECT_FALSE(browser.pick("Long"));
        browser.pickVariantAt(6, "07");
        expectHair("12");
    }
}

} // namespace
} // namespace brindo::test
