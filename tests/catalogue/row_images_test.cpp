#include "catalogue/row_images.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>

namespace brindo::test {
namespace {

// Each row shows what a click on it puts on, back to front.
TEST(RowImagesTest, RowsShowWhatTheirPicksPutOn) {
    TempLibrary library;
    for (const char* file :
         {"Tops/01.png", "Eyes/Round/00.png", "Eyes/Round/01.png", "Hair/Bob/001.png",
          "Hair/Bob/002.png", "Ready-made outfits/03/1.png", "Ready-made outfits/Other/1.png"}) {
        library.addFile(file);
    }
    const auto images = [&library](const char* category, const char* row) {
        const auto opened = openCategory(library.stored(), category);
        return opened ? itemRowImages(*opened, row) : QStringList{"not opened"};
    };
    EXPECT_EQ(images("Tops", "01"), QStringList{library.stored("Tops/01.png")});
    EXPECT_EQ(images("Tops", "<none>"), QStringList());
    EXPECT_EQ(images("Eyes", "Round"), QStringList{library.stored("Eyes/Round/00.png")});
    EXPECT_EQ(images("Hair", "Bob"),
              (QStringList{library.stored("Hair/Bob/002.png"), library.stored("Hair/Bob/001.png")}))
        << "the back image first";
    QStringList frames;
    for (const char* frame : {"1", "2", "3", "5", "6", "7"}) { // 7 frames, not the eyes' 4
        frames.append(library.stored(QStringLiteral("Ready-made outfits/03/%1.png").arg(frame)));
    }
    EXPECT_EQ(images("Ready-made outfits", "03"), frames);
    EXPECT_EQ(images("Ready-made outfits", "Other"), QStringList()) << "draws no frames";

    const auto eyes = openCategory(library.stored(), "Eyes");
    EXPECT_EQ(variantRowImages(*eyes, "Round", 0, "01"),
              QStringList{library.stored("Eyes/Round/01.png")});
    const auto hair = openCategory(library.stored(), "Hair");
    EXPECT_EQ(
        variantRowImages(*hair, "Bob", 6, "07"),
        (QStringList{library.stored("Hair/Bob/072.png"), library.stored("Hair/Bob/071.png")}));

    EXPECT_EQ(categoryRowImages(library.stored(), "Tops"), images("Tops", "01"))
        << "the first item after \"<none>\"";
    EXPECT_EQ(categoryRowImages(library.stored(), "Hair"), images("Hair", "Bob"));
    EXPECT_EQ(categoryRowImages(library.stored(), "Gone"), QStringList());
}

} // namespace
} // namespace brindo::test
