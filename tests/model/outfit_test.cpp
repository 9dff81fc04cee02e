#include "model/outfit.h"

#include <gtest/gtest.h>

namespace brindo {
namespace {

// A fresh start forgets the document and all layers but the default bottoms.
TEST(OutfitTest, StartingAfreshWearsOnlyTheDefaultBottoms) {
    Outfit outfit;
    outfit.documentPath = "look.BRD";
    outfit.bottom.switchOn("jeans.png");
    outfit.hair.switchOn("long.png");
    outfit.startAfresh("00.png");

    Outfit expected;
    expected.hair.imagePath = "long.png"; // kept, but off
    expected.bottom.switchOn("00.png");
    EXPECT_EQ(outfit, expected);
}

} // namespace
} // namespace brindo
