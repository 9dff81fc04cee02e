#include "render/outfit_credits.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>

namespace brindo {
namespace {

// Each credit of the items shown comes once, in drawing order, with its categories.
TEST(OutfitCreditsTest, EachDistinctCreditOnceWithItsCategories) {
    test::TempLibrary library;
    library.addFixedFiles();
    library.addFiles({"Tops/01.png", "Tops/02.png", "Hats/01.png", "Hair/Long/071.png",
                      "Eyes/Round/00.png", "Ready-made outfits/01/1.png"});
    library.addFile("library.ini", "[Tops]\nauthor=Ann\nlicence=CC0-1.0\n[Tops\\02]\nauthor=Bo\n"
                                   "[Hair]\nauthor=Ann\nlicence=CC0-1.0\n[Eyes\\Round]\n"
                                   "url=https://example.org/eyes\n[Ready-made outfits]\n"
                                   "author=Cy\n");
    const LibraryLayout layout = resolveLibraryLayout(library.stored());
    const LibraryNames names = LibraryNames::read(library.stored());
    Outfit outfit;
    outfit.hair.switchOn("C:\\Elsewhere\\Hair\\Long\\071.png"); // found by its tail
    outfit.tops.switchOn(library.stored("Tops/01.png"));
    outfit.hats.switchOn(library.stored("Hats/01.png"));
    outfit.eyes.switchOn(library.stored("Eyes/Round/00.png"));
    QList<OutfitCredit> credits;
    addOutfitCredits(credits, outfit, layout, names);
    EXPECT_EQ(creditsText(credits), "Tops, Hair: Ann, CC0-1.0\nEyes: https://example.org/eyes\n");

    outfit.tops.switchOn(library.stored("Tops/02.png"));
    outfit.readyMadeOutfit.switchOn("01");
    addOutfitCredits(credits, outfit, layout, names);
    EXPECT_EQ(creditsText(credits), "Tops, Hair: Ann, CC0-1.0\nEyes: https://example.org/eyes\n"
                                    "Ready-made outfits: Cy\n")
        << "a ready-made outfit hides the tops; its eyes stay";
    outfit.readyMadeOutfit.enabled = false;
    EXPECT_EQ(outfitCreditsText(outfit, library.stored()),
              "Tops: Bo\nEyes: https://example.org/eyes\nHair: Ann, CC0-1.0\n");
}

} // namespace
} // namespace brindo
