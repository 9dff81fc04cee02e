#include "catalogue/library_names.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>

namespace brindo::test {
namespace {

// Sections are matched ignoring case; what is not named shows as listed.
TEST(LibraryNamesTest, RowsShowTheirNamesWhereTheLibraryGivesOne) {
    TempLibrary library;
    EXPECT_TRUE(LibraryNames::read(library.stored()).isEmpty()) << "no names file";
    library.addFile("library.ini", "\xEF\xBB\xBF[Tops]\r\n01=Green hoodie\r\n02 = \r\n"
                                   "this line has no equals sign\r\n03=Pull\xC3\xB6ver mit "
                                   "Gr\xC3\xBC\xC3\x9F"
                                   "en\r\nauthor=Ann\r\n[hair\\LONG]\r\n"
                                   "07=Chestnut\r\n[Tops]\r\n04=ignored: a second Tops\r\n");
    const LibraryNames names = LibraryNames::read(library.stored());
    EXPECT_EQ(names.shownName("Tops", "01"), "Green hoodie");
    EXPECT_EQ(names.shownName("TOPS", "01"), "Green hoodie");
    EXPECT_EQ(names.shownName("Tops", "02"), "02") << "an empty name";
    EXPECT_EQ(names.shownName("Tops", "03"),
              QString::fromUtf8("Pull\xC3\xB6ver mit Gr\xC3\xBC\xC3\x9F"
                                "en"));
    EXPECT_EQ(names.shownName("Tops", "04"), "04") << "the first of two sections counts";
    EXPECT_EQ(names.shownName("Tops", "author"), "author") << "a credit key is no name";
    EXPECT_EQ(names.shownName("Hair\\Long", "07"), "Chestnut");
    EXPECT_EQ(names.shownName("Hair", "07"), "07");
    EXPECT_EQ(names.shownName("Hats", "01"), "01");

    library.addFolder("Folder/library.ini");
    EXPECT_TRUE(LibraryNames::read(library.stored("Folder")).isEmpty()) << "not a file";
}

// An item's own section credits it; otherwise its category's does.
TEST(LibraryNamesTest, ItemsTakeTheirOwnCreditOrTheirCategorys) {
    const LibraryNames names(ProfileText("[Tops]\nauthor=Ann\nlicence=CC0-1.0\n"
                                         "[Tops\\02]\nauthor=Bo\nurl=https://example.org/bo\n"
                                         "[Hair\\Long]\nLICENCE=CC-BY-4.0\n"));
    EXPECT_EQ(names.credit("Tops", "01"), (Credit{"Ann", "CC0-1.0", {}}));
    EXPECT_EQ(names.credit("Tops", "02"), (Credit{"Bo", {}, "https://example.org/bo"}));
    EXPECT_EQ(names.credit("Hair", "Long"), (Credit{{}, "CC-BY-4.0", {}}));
    EXPECT_TRUE(names.credit("Hats", "01").isEmpty());
}

} // namespace
} // namespace brindo::test
