#include "catalogue/stored_path.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>

namespace brindo {
namespace {

using test::TempLibrary;

// Documents keep absolute paths; an image that is not where a document says is
// found under the installation folder by the longest tail of its path.
TEST(LocateImageTest, MissingPathIsFoundByItsLongestTailUnderTheInstallationFolder) {
    TempLibrary library("Brindo");
    library.addFile("Hair/Long/011.png");
    library.addFile("Long/011.png");
    library.addFile("011.png");
    library.addFile("Tops/01.PNG");
    const QString root = library.stored();

    EXPECT_EQ(locateImage("C:\\Old place\\Brindo\\Hair\\Long\\011.png", root),
              library.native("Hair/Long/011.png"));
    EXPECT_EQ(locateImage("\\home\\ann\\Brindo\\hair\\LONG\\011.png", root),
              library.native("Hair/Long/011.png"))
        << "components are matched ignoring letter case";
    EXPECT_EQ(locateImage("\\elsewhere\\Short\\011.png", root), library.native("011.png"))
        << "the file name alone is the shortest tail, tried last";
    EXPECT_EQ(locateImage("D:\\Brindo\\Tops\\01.png", root), library.native("Tops/01.PNG"));
}

TEST(LocateImageTest, PathThatExistsIsUsedAsStored) {
    TempLibrary elsewhere("other");
    elsewhere.addFile("Hair/Long/011.png");
    TempLibrary library;
    library.addFile("Hair/Long/011.png");

    EXPECT_EQ(locateImage(elsewhere.stored("Hair/Long/011.png"), library.stored()),
              elsewhere.native("Hair/Long/011.png"));
}

TEST(LocateImageTest, NothingIsFoundWhenNoTailNamesAFileUnderTheFolder) {
    TempLibrary library("a/install");
    library.addFolder("Hair/Long/011.png");
    library.addFile("../secret.png");
    library.addFile("Tops/01.png");
    const QString root = library.stored();

    EXPECT_EQ(locateImage("C:\\Old\\Hair\\Long\\011.png", root), QString())
        << "a folder is no image";
    EXPECT_EQ(locateImage("\\x\\..\\secret.png", root), QString())
        << "a tail never climbs out of the installation folder";
    EXPECT_EQ(locateImage("C:\\Old\\Tops\\02.png", root), QString());
    EXPECT_EQ(locateImage("", root), QString());
    EXPECT_EQ(locateImage("C:\\Old\\Tops\\01.png", library.stored("missing")), QString());
}

} // namespace
} // namespace brindo
