#include "catalogue/stored_path.h"
#include "support/temp_library.h"

#include <QFile>
#include <gtest/gtest.h>

namespace brindo::test {
namespace {

// Files are found ignoring letter case, and moved images by the longest tail of their path.
TEST(StoredPathTest, FilesAreFoundIgnoringLetterCaseAndByTheLongestTail) {
    TempLibrary library("Brindo");
    library.addFiles({"Hair/Long/011.png", "Long/011.png", "011.png", "Tops/01.PNG", "Hats/Cap.png",
                      "Hats/cap.png", "../secret.png", "../outside.png"});
    library.addFolder("Tops/02.png");
    TempLibrary elsewhere;
    elsewhere.addFile("Hair/Long/011.png");
    const QString root = library.stored();

    EXPECT_EQ(nativePath(library.stored("tops/01.png")), library.native("Tops/01.PNG"));
    EXPECT_EQ(nativePath(library.stored("Hats/cap.png")), library.native("Hats/cap.png"));
    EXPECT_EQ(nativePath(library.stored("HATS/CAP.png")), library.native("Hats/Cap.png"));
    // Of several spellings, the first in name order, whatever the folder's order.
    for (const QString spelling : {"CaP", "cAp", "caP", "CAp", "cAP", "CAP", "Cap", "cap"}) {
        library.addFile("Shoes/" + spelling + ".png");
    }
    EXPECT_EQ(nativePath(library.stored("Shoes/cap.PNG")), library.native("Shoes/CAP.png"));
    EXPECT_EQ(locateImage("C:\\Old place\\Brindo\\Hair\\Long\\011.png", root),
              library.native("Hair/Long/011.png"));
    EXPECT_EQ(locateImage("\\home\\ann\\Brindo\\hair\\LONG\\011.png", root),
              library.native("Hair/Long/011.png"));
    EXPECT_EQ(locateImage("\\elsewhere\\Short\\011.png", root), library.native("011.png"));
    EXPECT_EQ(locateImage(elsewhere.stored("Hair/Long/011.png"), root),
              elsewhere.native("Hair/Long/011.png"))
        << "a path that exists is used as stored";
    EXPECT_EQ(locateImage("C:\\Old\\Tops\\02.png", root), QString()) << "a folder";
    EXPECT_EQ(locateImage("\\x\\..\\secret.png", root), QString()) << "climbs out";
    EXPECT_EQ(locateImage("", root), QString());
    EXPECT_EQ(locateImage("C:\\Old\\Tops\\01.png", library.stored("missing")), QString());

    const QStringList longHair{"Hair", "Long", "011.png"};
    EXPECT_EQ(placeInLibrary("C:\\Old\\Brindo\\hair\\LONG\\011.png", root), longHair);
    EXPECT_EQ(placeInLibrary(library.stored("Hair/../Hair/Long/011.png"), root), longHair);
    EXPECT_EQ(placeInLibrary(library.stored("../outside.png"), root), QStringList())
        << "found as stored, outside the library";
    EXPECT_EQ(placeInLibrary("C:\\Old\\missing.png", root), QStringList());
    ASSERT_TRUE(QFile::link(library.root(), library.native("../link")));
    EXPECT_EQ(
        placeInLibrary(storedFromNative(library.native("../link")) + "\\Hair\\Long\\011.png", root),
        longHair);
}

} // namespace
} // namespace brindo::test
