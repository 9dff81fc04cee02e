#include "catalogue/item_pick.h"
#include "catalogue/variant_pick.h"
#include "catalogue/worn_rows.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>

namespace brindo::test {
namespace {

QString number(int value, int width = 2) {
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

// Flat tops, one- and two-layer hair, eyes with variants, two ready-made outfits.
void addWardrobe(const TempLibrary& library) {
    for (const char* file : {"Tops/01.png", "Tops/02.png", "Tops/03.png", "Eyes/Round/00.png",
                             "Eyes/Round/01.png", "Eyes/Round/02.png", "Eyes/Plain/00.png",
                             "Ready-made outfits/01/1.png", "Ready-made outfits/02/1.png"}) {
        library.addFile(file);
    }
    for (int image = 0; image <= 20; ++image) {
        library.addFile("Hair/Long/" + number(image) + ".png");
        library.addFile("Hair/Bob/" + number(image) + "1.png");
        library.addFile("Hair/Bob/" + number(image) + "2.png");
    }
}

// Whatever a click puts on, opening the category again finds the same rows.
TEST(WornRowsTest, EveryPickIsFoundAgainInItsCategory) {
    TempLibrary library;
    addWardrobe(library);
    struct Click {
        const char* category;
        const char* item;
        int variant;
    };
    for (const Click click :
         {Click{"Tops", "02", -1}, Click{"Hair", "Long", -1}, Click{"Hair", "Long", 6},
          Click{"Hair", "Bob", 19}, Click{"Eyes", "Round", 1}, Click{"Eyes", "Plain", -1},
          Click{"Ready-made outfits", "02", -1}}) {
        SCOPED_TRACE(std::string(click.category) + " " + click.item + " " +
                     std::to_string(click.variant));
        const auto category = openCategory(library.stored(), click.category);
        ASSERT_TRUE(category);
        const ItemPick pick = pickItem(*category, click.item, Outfit{});
        Outfit outfit = pick.outfit;
        if (click.variant >= 0) {
            outfit = pickVariant(*category, click.item, click.variant,
                                 pick.variantRows->at(click.variant), outfit);
        }
        const WornRows worn = wornRows(*category, outfit);
        EXPECT_EQ(worn.itemRow, category->rows.indexOf(click.item));
        EXPECT_EQ(worn.variantRows, pick.variantRows);
        EXPECT_EQ(worn.variantRow, click.variant);
    }
}

// Only shown layers of the category select a row, also from a document saved elsewhere.
TEST(WornRowsTest, OnlyShownLayersOfTheCategorySelectARow) {
    TempLibrary library;
    addWardrobe(library);
    const auto tops = openCategory(library.stored(), "Tops");
    const auto eyes = openCategory(library.stored(), "Eyes");
    const auto readyMade = openCategory(library.stored(), "Ready-made outfits");
    ASSERT_TRUE(tops && eyes && readyMade);

    Outfit outfit;
    outfit.tops.switchOn(library.stored("Tops/03.png"));
    EXPECT_EQ(wornRows(*tops, outfit).itemRow, 3) << "after \"<none>\"";
    outfit.tops.enabled = false;
    EXPECT_EQ(wornRows(*tops, outfit), WornRows{}) << "off: not even \"<none>\"";

    outfit.tops.switchOn(QStringLiteral("C:\\Old place\\TOPS\\01.PNG"));
    EXPECT_EQ(wornRows(*tops, outfit).itemRow, 1);
    outfit.tops.switchOn(library.stored("Hats/01.png"));
    EXPECT_EQ(wornRows(*tops, outfit).itemRow, -1) << "another category's image";
    outfit.tops.switchOn(library.stored("Tops/09.png"));
    EXPECT_EQ(wornRows(*tops, outfit).itemRow, -1) << "no such file";

    outfit.tops.switchOn(library.stored("Tops/02.png"));
    outfit.eyes.switchOn(library.stored("Eyes/Round/02.png"));
    outfit.readyMadeOutfit.switchOn("01");
    EXPECT_EQ(wornRows(*readyMade, outfit).itemRow, 0);
    EXPECT_EQ(wornRows(*tops, outfit).itemRow, -1) << "the ready-made outfit hides the top";
    const WornRows shownEyes = wornRows(*eyes, outfit);
    EXPECT_EQ(shownEyes.itemRow, eyes->rows.indexOf("Round")) << "its frames show the eyes";
    EXPECT_EQ(shownEyes.variantRow, 1);

    outfit.readyMadeOutfit.enabled = false;
    EXPECT_EQ(wornRows(*readyMade, outfit).itemRow, -1);
    outfit.eyes.switchOn(library.stored("Eyes/Round/00.png"));
    const WornRows baseEyes = wornRows(*eyes, outfit);
    EXPECT_EQ(baseEyes.itemRow, eyes->rows.indexOf("Round"));
    EXPECT_EQ(baseEyes.variantRows, (QStringList{"01", "02"}));
    EXPECT_EQ(baseEyes.variantRow, -1) << "the base image is no variant";
}

} // namespace
} // namespace brindo::test
