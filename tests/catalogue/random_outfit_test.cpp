#include "catalogue/random_outfit.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>

namespace brindo::test {
namespace {

class RandomOutfitTest : public testing::Test {
protected:
    TempLibrary library;

    RandomOutfitTest() {
        library.addFiles({"Bottoms/00.png", "Bottoms/01.png", "Tops/01.png", "Tops/02.png",
                          "Eyes/Round/00.png", "Eyes/Round/01.png", "Shoes/01.png",
                          "Ready-made outfits/01/1.png"});
        for (int number = 0; number <= 20; ++number) {
            library.addFile(QStringLiteral("Hair/Short/%1.png").arg(number, 2, 10, QChar(u'0')));
        }
    }

    Outfit random(quint32 seed, const RandomOutfitOptions& options = {}, Outfit from = {}) const {
        QRandomGenerator generator(seed);
        return randomOutfit(library.stored(), std::move(from), options, generator);
    }
};

// Every category is dressed and undressed, but the bottoms stay; a seed repeats its outfit.
TEST_F(RandomOutfitTest, EveryLayeredCategoryIsConsideredAndTheBottomsStayOn) {
    QSet<QString> seen;
    bool topsOff = false;
    for (quint32 seed = 1; seed <= 60; ++seed) {
        const Outfit outfit = random(seed);
        EXPECT_EQ(outfit, random(seed));
        EXPECT_TRUE(outfit.bottom.enabled) << seed;
        EXPECT_FALSE(outfit.readyMadeOutfit.enabled) << "only when asked";
        topsOff = topsOff || !outfit.tops.enabled;
        for (const LayerSlot* slot : {&outfit.bottom, &outfit.tops, &outfit.eyes, &outfit.hair}) {
            if (slot->enabled) {
                seen.insert(slot->path());
            }
        }
    }
    EXPECT_TRUE(topsOff) << "\"<none>\" has its chance";
    for (const QString file :
         {"Bottoms/00.png", "Bottoms/01.png", "Tops/01.png", "Tops/02.png", "Eyes/Round/00.png",
          "Eyes/Round/01.png", "Hair/Short/00.png", "Hair/Short/20.png"}) {
        EXPECT_TRUE(seen.contains(library.stored(file))) << file.toStdString();
    }
}

// Kept categories and the document path stay; ready-made outfits come only when allowed.
TEST_F(RandomOutfitTest, KeptCategoriesStayAndReadyMadeOutfitsComeOnlyWhenAllowed) {
    Outfit from;
    from.documentPath = "look.BRD";
    from.tops.switchOn("my top.png");
    from.hair.switchOn("my hair.png");
    bool readyMade = false;
    for (quint32 seed = 1; seed <= 20; ++seed) {
        const Outfit outfit = random(seed, {{"Tops", "Hair"}, true}, from);
        EXPECT_EQ(outfit.documentPath, "look.BRD");
        EXPECT_EQ(outfit.tops, from.tops);
        EXPECT_EQ(outfit.hair, from.hair);
        readyMade = readyMade || outfit.readyMadeOutfit.enabled;
    }
    EXPECT_TRUE(readyMade);
}

} // namespace
} // namespace brindo::test
