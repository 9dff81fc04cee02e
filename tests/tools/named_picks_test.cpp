#include "named_picks.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>

namespace brindo::cli {
namespace {

// Names match as listed or shown, exact before any case; a miss lists the closest.
TEST(NamedPicksTest, ListedAndShownNamesPutOnWhatClicksWould) {
    test::TempLibrary library;
    for (const QString file : {"Tops/01.png", "Tops/02.png", "Eyes/Round/00.png",
                               "Eyes/Round/01.png", "Eyes/Round/02.png", "Eyes/Wink/00.png"}) {
        library.addFile(file);
    }
    library.addFile("library.ini", "[Tops]\n01=Blue/green shirt\n02=blue hoodie\n[Eyes]\n"
                                   "Round=Round eyes\n[Eyes\\Round]\n02=Grey\n");
    const LibraryNames names = LibraryNames::read(library.stored());
    const auto put = [&](const QString& setting, Outfit& outfit) {
        return putOnNamed(library.stored(), names, setting, outfit).value_or(QString());
    };
    Outfit outfit;
    EXPECT_EQ(put("tops=Blue/green shirt", outfit), "");
    EXPECT_EQ(outfit.tops, (LayerSlot{true, library.stored("Tops/01.png")}));
    EXPECT_EQ(put("Tops=BLUE HOODIE", outfit), "");
    EXPECT_EQ(outfit.tops.path(), library.stored("Tops/02.png"));
    EXPECT_EQ(put("Eyes=Round eyes/grey", outfit), "");
    EXPECT_EQ(outfit.eyes.path(), library.stored("Eyes/Round/02.png"));
    EXPECT_EQ(put("Eyes=Round", outfit), "") << "the item's base image";
    EXPECT_EQ(outfit.eyes.path(), library.stored("Eyes/Round/00.png"));
    EXPECT_EQ(put("Tops=<none>", outfit), "");
    EXPECT_FALSE(outfit.tops.enabled);

    const Outfit before = outfit;
    EXPECT_TRUE(put("Tops=hodie", outfit)
                    .startsWith("no item \"hodie\" in Tops; the closest: blue hoodie, "));
    EXPECT_EQ(put("Eyes=Wink/01", outfit), "Eyes \"Wink\" has no variants");
    EXPECT_EQ(put("Eyes=Round/03", outfit),
              "Eyes \"Round\" has no variant \"03\"; the closest: 01, 02, Grey");
    EXPECT_TRUE(put("Shirts=01", outfit).startsWith("no category \"Shirts\" in the library"));
    EXPECT_EQ(put("Tops", outfit), "\"Tops\" is not CATEGORY=ITEM or CATEGORY=ITEM/VARIANT");
    EXPECT_EQ(outfit, before);
}

} // namespace
} // namespace brindo::cli
