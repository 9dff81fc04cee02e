#include "catalogue/stored_path.h"
#include "document/outfit_document.h"
#include "render/shared_outfit.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>

namespace brindo {
namespace {

// Images are named by their place in the library alone, and found in a copy anywhere.
TEST(SharedOutfitTest, ImagesAreNamedByTheirPlaceInTheLibraryAlone) {
    const test::TempLibrary library("home/alice/Brindo");
    const test::TempLibrary elsewhere("home/alice/My hats");
    library.addFile("Tops/01.png");
    library.addFile("Hair/Long/071.png");
    elsewhere.addFile("cap.png");
    Outfit outfit;
    outfit.tops.switchOn(library.stored("Tops/01.png"));
    outfit.hair.switchOn("C:\\Users\\alice\\Brindo\\Hair\\Long\\071.png");
    outfit.hats.switchOn(elsewhere.stored("cap.png"));
    outfit.other.imagePath = library.stored("Other/02.png"); // off, and missing
    outfit.readyMadeOutfit.imagePath = "\\home\\alice\\not an outfit";

    const QString text = shareableOutfitText(outfit, library.stored());
    EXPECT_FALSE(text.contains("alice")) << text.toStdString();
    const Outfit shared = outfitFromDocument(ProfileText(text.toUtf8()), Outfit{});
    EXPECT_EQ(shared.tops, (LayerSlot{true, "\\Brindo library\\Tops\\01.png"}));
    EXPECT_EQ(shared.hair, (LayerSlot{true, "\\Brindo library\\Hair\\Long\\071.png"}));
    EXPECT_EQ(shared.hats, (LayerSlot{true, "\\Brindo library\\cap.png"}));
    EXPECT_TRUE(text.contains("Other2=\\Brindo library\\02.png\r\n")) << "layers off too";
    EXPECT_TRUE(text.contains("Reout2=\r\n"));

    const test::TempLibrary copy("srv/bob/library");
    copy.addFile("Tops/01.png");
    copy.addFile("Hair/Long/071.png");
    EXPECT_EQ(locateImage(shared.tops.path(), copy.stored()), copy.native("Tops/01.png"));
    EXPECT_EQ(locateImage(shared.hair.path(), copy.stored()), copy.native("Hair/Long/071.png"));

    // Opened, found images are named where they lie; others keep their shared names.
    const Outfit opened = withLocatedImages(shared, copy.stored());
    EXPECT_EQ(opened.tops, (LayerSlot{true, copy.stored("Tops/01.png")}));
    EXPECT_EQ(opened.hair, (LayerSlot{true, copy.stored("Hair/Long/071.png")}));
    EXPECT_EQ(opened.hats, shared.hats);
    EXPECT_EQ(opened.readyMadeOutfit, shared.readyMadeOutfit);
}

} // namespace
} // namespace brindo
