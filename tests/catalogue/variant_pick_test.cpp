#include "library_browser.h"

#include <QDir>

namespace brindo {
namespace {

using test::LibraryBrowser;
using test::TempLibrary;

TEST(VariantPickTest, EyesAndMouthVariantsAreFilesOfTheItemFolder) {
    TempLibrary library("Mouthwash/install");
    for (const QString file :
         {"Eyes/blue/00.png", "Eyes/blue/02.png", "Mouth/eyes/00.png", "Mouth/eyes/wide.png"}) {
        library.addFile(file);
    }
    LibraryBrowser browser(library);
    browser.open("Eyes");
    browser.pick("blue");
    OutfitState expected = browser.state;
    expected.Eyes.switchOn(library.stored("Eyes/blue/02.png"));
    browser.pickVariantAt(0, "02");
    EXPECT_EQ(browser.state, expected) << "only the eyes change, wherever the program lies";

    browser.open("Mouth");
    browser.pick("eyes");
    browser.pickVariantAt(0, "wide");
    EXPECT_EQ(browser.state.Mouth.path(), library.stored("Mouth/eyes/wide.png"));
    EXPECT_EQ(browser.state.Eyes.path(), library.stored("Eyes/blue/02.png"));
}

TEST(VariantPickTest, HairVariantIsChosenByRowPositionAndFileCount) {
    struct Case {
        int files;
        int row;
        const char* front;
        const char* back; // nullptr: one-layer item, back layer off
    };
    for (const Case c : {Case{21, 7, "07.png", nullptr}, Case{21, 20, "20.png", nullptr},
                         Case{42, 12, "121.png", "122.png"}, Case{22, 3, "031.png", "032.png"}}) {
        SCOPED_TRACE(testing::Message() << c.files << " files, row " << c.row);
        TempLibrary library;
        test::addHairItem(library, "HAIR/Long", c.files);
        LibraryBrowser browser(library);
        browser.open("HAIR");
        browser.pick("Long");
        browser.state.HairExtra.imagePath = "back.png";

        browser.pickVariantAt(c.row - 1, "row text is not used");
        EXPECT_TRUE(browser.state.Hair.enabled);
        EXPECT_EQ(browser.state.Hair.path(), library.stored(QString("HAIR/Long/") + c.front));
        EXPECT_EQ(browser.state.HairExtra.enabled, c.back != nullptr);
        EXPECT_EQ(browser.state.HairExtra.path(),
                  c.back ? library.stored(QString("HAIR/Long/") + c.back) : "back.png");
        browser.expectFileListAt("HAIR");
    }
}

TEST(VariantPickTest, HairItemFolderRemovedMeanwhileChangesNothing) {
    TempLibrary library;
    test::addHairItem(library, "Hair/Long", 21);
    LibraryBrowser browser(library);
    browser.open("Hair");
    browser.pick("Long");
    const OutfitState before = browser.state;
    ASSERT_TRUE(QDir(library.native("Hair/Long")).removeRecursively());
    browser.pickVariantAt(6, "07");
    EXPECT_EQ(browser.state, before);
    EXPECT_EQ(browser.file1.path(), library.stored("Hair"));
}

} // namespace
} // namespace brindo
