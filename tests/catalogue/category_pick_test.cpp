#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "library_browser.h"

#include <QFileInfo>

namespace brindo {
namespace {

using test::LibraryBrowser;
using test::TempLibrary;

TEST(CategoryPickTest, FlatCategoryListsNoneThenEveryFileButNoSubfolder) {
    TempLibrary library;
    for (const QString file : {"Tops/b.png", "Tops/A.PNG", "Tops/notes.txt", "Tops/.hidden.png",
                               "Tops/Sleeves/01.png", "Tops/ab", "Tops/abcd"}) {
        library.addFile(file);
    }
    LibraryBrowser browser(library);

    EXPECT_EQ(browser.open("Tops"), (QStringList{"<none>", "A", "ab", "", "b", "notes"}));
    EXPECT_EQ(browser.state.currentCategory, "Tops");
    browser.expectFileListAt("Tops");
}

TEST(CategoryPickTest, FolderCategoryListsSubfoldersAndUnlistableOnesChangeNothing) {
    TempLibrary library;
    library.addFolder("Hair/long");
    library.addFolder("Hair/Curly");
    library.addFolder("Empty");
    library.addFile("Notes");
    LibraryBrowser browser(library);

    EXPECT_EQ(browser.open("Empty"), QStringList()) << "no \"<none>\" without files";
    EXPECT_EQ(browser.open("Hair"), (QStringList{"Curly", "long"}));
    const OutfitState before = browser.state;
    for (const QString category : {"Gone", "Notes"}) {
        EXPECT_FALSE(pickCategory(browser.state, library.stored(), category, browser.file1));
        EXPECT_EQ(browser.state, before);
        browser.expectFileListAt("Hair");
    }
}

// Stored paths keep their text; the file system is asked ignoring letter case
// wherever the exact spelling is missing.
TEST(CategoryPickTest, StoredPathsFindFilesIgnoringLetterCase) {
    TempLibrary library;
    library.addFile("bottoms/00.png");
    library.addFile("Tops/01.PNG");
    library.addFile("Hats/Cap.png");
    library.addFile("Hats/cap.png");
    LibraryBrowser browser(library);

    EXPECT_TRUE(QFileInfo(nativePath(defaultBottomsPath(library.stored()))).isFile());
    browser.open("tops");
    browser.pick("01");
    EXPECT_EQ(browser.state.Tops.path(), library.stored("tops/01.png"));
    EXPECT_EQ(nativePath(browser.state.Tops.path()), library.native("Tops/01.PNG"));
    EXPECT_EQ(nativePath(library.stored("Hats/cap.png")), library.native("Hats/cap.png"))
        << "an exact match wins";
}

} // namespace
} // namespace brindo
