// The faults real library folders have: what cannot be shown is told or left out.

#include "robustness.h"
#include "support/permissions.h"
#include "support/test_images.h"

namespace brindo {
namespace {

class LibraryFaultsTest : public test::SmallLibraryTest {
protected:
    LibraryFaultsTest() : SmallLibraryTest(plantFaults) {}

    static void plantFaults(const test::TempLibrary& library) {
        const auto image = [&library](const char* name, Qt::GlobalColor colour, int side = 8) {
            library.addImage(QString::fromUtf8(name), QColor(colour), side, side);
        };
        image("Tops/Été à la plage.png", Qt::red);
        image("Tops/Plain.png", Qt::blue);
        QFile::rename(library.native("Tops/Plain.png"), library.native("Tops/Upper.PNG"));
        image("Backgrounds/Dot.png", Qt::green, 1);
        library.addFile("Backgrounds/Huge.png", test::encodeFlatPng(8000, 8000, qRgb(250, 250, 0)));
        image("Ögon och eyes/Runda/00.png", Qt::black);
        image("Ögon och eyes/Runda/01.png", Qt::gray);
        image("Footwear/01.png", Qt::white);
        image("Hair/Short/00.png", Qt::cyan); // a hair item has many more
        image("Hats\\Caps/01.png", Qt::magenta);
        image("Shirts\nand tops/01.png", Qt::darkRed);
        library.addFile("Other/Broken.png", "not a picture");
        library.addFile("Hats", "a category that is a file");
        library.addFolder("Empty");
        QFile::link(".", library.native("Hair/Loop"));
        QFile::link(".", library.native("Everything"));
        QFile::link("Cycle B", library.native("Cycle A"));
        QFile::link("Cycle A", library.native("Cycle B"));
        QFile::link("Self.png", library.native("Tops/Self.png"));
    }

    const test::PermissionsTaken footwear_{library.native("Footwear")};

    // Clicks the row, checks that no handler failed, and returns what the user was told.
    QString click(ListBox* list, const QString& name) {
        dialogs.messages.clear();
        test::clickRow(list, name);
        EXPECT_FALSE(dialogs.messages.join(' ').contains("did not work"));
        return dialogs.messages.join(' ');
    }

    // Opens the category and picks the item; returns what the user was told.
    QString pick(const char* category, const char* item) {
        const QString told = click(form->categoryList(), QString::fromUtf8(category));
        return told + click(form->itemList(), QString::fromUtf8(item));
    }

    void record(const char* fault, const char* outcome, const QString& told) {
        test::recordFault(fault, outcome, told, library.root());
    }
};

TEST_F(LibraryFaultsTest, ListsWhatCanBeListedAndSavesItsOutfits) {
    const QStringList categories = form->categoryList()->rows();
    for (const char* listed : {"Everything", "Ögon och eyes", "Footwear"}) {
        EXPECT_TRUE(categories.contains(QString::fromUtf8(listed))) << listed;
    }
    for (const char* leftOut : {"Hats", "Cycle A", "Cycle B"}) {
        EXPECT_FALSE(categories.contains(leftOut)) << leftOut;
    }
    record("A category that is a file, a symbolic-link loop", "left out of the categories",
           dialogs.messages.join(' '));

    pick("Tops", "Upper");
    EXPECT_EQ(form->itemList()->rows(),
              (QStringList{"<none>", "Upper", QString::fromUtf8("Été à la plage")}));
    EXPECT_EQ(form->picture().pixelColor(0, 0), QColor(Qt::blue)) << "an upper-case extension";
    EXPECT_TRUE(pick("Tops", "Été à la plage").isEmpty());
    EXPECT_EQ(form->picture().pixelColor(0, 0), QColor(Qt::red)) << "a name with non-ASCII letters";
    EXPECT_TRUE(pick("Ögon och eyes", "Runda").isEmpty());
    EXPECT_EQ(form->variantList()->rows(), QStringList{"01"});

    const Outfit dressed = form->outfit();
    const QString document = library.native(QString::fromUtf8("Outfits ünd more/été.BRD"));
    QDir().mkpath(QFileInfo(document).path());
    for (const char* action : {"saveAs", "new", "open"}) {
        dialogs.answers.assign({document});
        form->action(action)->trigger();
    }
    EXPECT_EQ(form->outfit().tops, dressed.tops);
    EXPECT_EQ(form->outfit().eyes, dressed.eyes);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // A line break shows as a symbol, and the category opens all the same.
    EXPECT_TRUE(form->categoryList()->shownRows().contains(QString::fromUtf8("Shirts␊and tops")));
    EXPECT_TRUE(pick("Shirts\nand tops", "01").isEmpty());
    EXPECT_EQ(form->outfit().tops.path(), library.stored("Shirts\nand tops/01.png"));
    record("A category whose name holds a line break",
           "listed and opened, the break shown as \"␊\"", {});
    // A backslash would split the name in a document's paths.
    const QString caps = click(form->categoryList(), "Hats\\Caps");
    EXPECT_TRUE(caps.contains("its name holds the character \"\\\"") &&
                caps.contains(library.native("Hats\\Caps")))
        << caps.toStdString();
    EXPECT_EQ(form->itemList()->count(), 0);
    record("A category whose name holds a backslash", "listed; opening it shows no items", caps);

    if (test::permissionsEnforced()) {
        const QString locked = click(form->categoryList(), "Footwear");
        EXPECT_TRUE(locked.contains("you do not have permission to read it"))
            << locked.toStdString();
        EXPECT_EQ(form->itemList()->count(), 0);
        record("A category folder without read permission", "listed; opening it shows no items",
               locked);
    }
}

TEST_F(LibraryFaultsTest, WhatCannotBeDrawnIsLeftOut) {
    const QImage undressed = form->picture();
    const QString dot = pick("Backgrounds", "Dot");
    EXPECT_TRUE(dot.isEmpty()) << dot.toStdString();
    record("An image of 1 x 1 pixels", "drawn at the top-left corner", dot);
    record("An image of 8000 x 8000 pixels", "drawn at the top-left corner",
           pick("Backgrounds", "Huge"));
    EXPECT_EQ(form->picture(), undressed);
    record("An image file that is not a PNG image", "left out of the picture",
           pick("Other", "Broken"));
    EXPECT_TRUE(form->outfit().other.enabled);
    record("A hair item with files missing", "its missing images are left out",
           pick("Hair", "Short"));
    EXPECT_EQ(form->picture(), undressed);
    record("A hair item that is a link to its own folder",
           "listed; its images are not found and left out", pick("Hair", "Loop"));
    EXPECT_TRUE(form->outfit().hair.enabled);
    record("A category that links to the library folder",
           "listed, with the library's own files as items", pick("Everything", "10195"));
    record("An empty category", "opens with no items", click(form->categoryList(), "Empty"));
    EXPECT_EQ(form->itemList()->count(), 0);
}

} // namespace
} // namespace brindo
