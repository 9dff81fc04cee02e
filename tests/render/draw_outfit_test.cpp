#include "render/draw_outfit.h"
#include "render/png_picture.h"
#include "support/temp_library.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace brindo {
namespace {

// Records the calls the compositor makes, and loads nothing.
class RecordingPicture : public PictureComponent {
public:
    QStringList calls;
    int LoadFile(const QString& path) override {
        calls.append(QStringLiteral("load ") + path);
        return kLoaded;
    }
    int ImageWidth() const override { return 0; }
    int ImageHeight() const override { return 0; }
    void DrawTo(DeviceContext /*dc*/, int x, int y) override {
        calls.append(QStringLiteral("draw %1,%2").arg(x).arg(y));
    }
};

class DrawOutfitTest : public testing::Test {
protected:
    test::TempLibrary library;

    QString file(const QString& relative) const { return library.stored(relative); }

    // Every slot on, each pointing at a file named after the slot.
    OutfitState everySlotOn() const {
        OutfitState state;
        for (const SlotInfo& info : kSlotTable) {
            (state.*(info.field))
                .switchOn(file(QString::fromLatin1(info.name.data(),
                                                   static_cast<qsizetype>(info.name.size())) +
                               QStringLiteral(".png")));
        }
        state.ReadyMadeOutfit.enabled = false;
        return state;
    }
};

TEST_F(DrawOutfitTest, LayeredOrderPutsEverySlotAtItsPlace) {
    library.addFixedFiles();
    const QStringList expected{file("Background.png"), file("HairExtra.png"),
                               file("10195.png"),      file("Footwear.png"),
                               file("Bottom.png"),     file("Tops.png"),
                               file("Other.png"),      file("10196.png"),
                               file("Mouth.png"),      file("Eyes.png"),
                               file("Hair.png"),       file("Eyewear.png"),
                               file("Hats.png"),       file("FriendsAndPets.png"),
                               file("Interests.png"),  file("Foregrounds.png"),
                               file("wm.png")};
    EXPECT_EQ(drawPlan(everySlotOn(), library.stored()), expected);

    OutfitState nothingOn;
    EXPECT_EQ(drawPlan(nothingOn, library.stored()),
              (QStringList{file("10195.png"), file("10196.png"), file("wm.png")}));

    OutfitState backOfHairOnly;
    backOfHairOnly.HairExtra.switchOn(file("Hair/Long/002.png"));
    backOfHairOnly.Hair.imagePath = file("Hair/Long/001.png");
    EXPECT_EQ(drawPlan(backOfHairOnly, library.stored()),
              (QStringList{file("Hair/Long/002.png"), file("10195.png"), file("10196.png"),
                           file("wm.png")}));
}

TEST_F(DrawOutfitTest, EverySlotIsLoadedAndDrawnAtTheCorner) {
    RecordingPicture recorder;
    CanvasImage canvas;
    canvas.resize(2, 2);
    OutfitState state;
    state.Tops.enabled = true; // on with a path never set: loaded as an empty path
    DrawOutfit(state, library.stored(), recorder, canvas);
    EXPECT_EQ(recorder.calls, (QStringList{"load " + file("10195.png"), "draw 0,0", "load ",
                                           "draw 0,0", "load " + file("10196.png"), "draw 0,0"}))
        << "no watermark in this library";
}

TEST_F(DrawOutfitTest, ReadyMadeOutfitsDrawTheirFramesWithTheEyesAsFrameFour) {
    library.addFixedFiles();
    library.addFolder("Ready-made outfits/01");
    OutfitState state = everySlotOn();
    state.currentCategory = "Tops"; // the frames folder does not follow the category
    state.ReadyMadeOutfit.switchOn("01");
    const QString outfit = "Ready-made outfits/01/";
    EXPECT_EQ(drawPlan(state, library.stored()),
              (QStringList{file(outfit + "1.png"), file(outfit + "2.png"), file(outfit + "3.png"),
                           file("Eyes.png"), file(outfit + "5.png"), file(outfit + "6.png"),
                           file(outfit + "7.png"), file(outfit + "8.png"), file("wm.png")}));

    state.Eyes.enabled = false;
    EXPECT_EQ(drawPlan(state, library.stored()).size(), 8) << "frame 4 is never a file";

    state.ReadyMadeOutfit.imagePath = "11";
    EXPECT_EQ(drawPlan(state, library.stored()).size(), 5 + 1 - 1)
        << "five steps less the eyes, plus the watermark";

    for (const char* notAnOutfit : {"1", "13", "", "00", "01 "}) {
        state.ReadyMadeOutfit.imagePath = QString::fromLatin1(notAnOutfit);
        EXPECT_EQ(drawPlan(state, library.stored()), QStringList{file("wm.png")}) << notAnOutfit;
    }
}

TEST_F(DrawOutfitTest, FrameCountsOfTheTwelveOutfits) {
    const int expected[] = {8, 6, 7, 9, 9, 7, 9, 6, 9, 8, 5, 8};
    for (int outfit = 1; outfit <= 12; ++outfit) {
        EXPECT_EQ(readyMadeFrameCount(QStringLiteral("%1").arg(outfit, 2, 10, QChar(u'0'))),
                  expected[outfit - 1]);
    }
}

TEST_F(DrawOutfitTest, FramesComeFromTheCategoryWhenThereIsNoReadyMadeFolder) {
    OutfitState state;
    state.currentCategory = "Outfits";
    state.ReadyMadeOutfit.switchOn("02");
    EXPECT_EQ(drawPlan(state, library.stored()).constFirst(), file("Outfits/02/1.png"));

    library.addFolder("READY-MADE OUTFITS");
    EXPECT_EQ(drawPlan(state, library.stored()).constFirst(), file("READY-MADE OUTFITS/02/1.png"));
}

TEST_F(DrawOutfitTest, OnlyARegularWatermarkFileIsDrawn) {
    library.addFixedFiles(4, 4, false);
    OutfitState state;
    EXPECT_FALSE(drawPlan(state, library.stored()).contains(file("wm.png")));
    library.addFolder("wm.png");
    EXPECT_FALSE(drawPlan(state, library.stored()).contains(file("wm.png")));
}

// Pixels: each layer paints an overlapping bar, so the picture shows which
// layer lies on top.
TEST_F(DrawOutfitTest, LaterLayersCoverEarlierOnesOnTheCanvas) {
    const QColor base(200, 150, 120);
    library.addImage("10195.png", base, 3, 1);
    library.addImage("10196.png", QColor(0, 0, 0, 0), 3, 1);
    QImage tops(3, 1, QImage::Format_ARGB32);
    tops.fill(Qt::transparent);
    tops.setPixel(0, 0, qRgb(0, 255, 0));
    tops.setPixel(1, 0, qRgb(0, 255, 0));
    library.addImage("Tops/01.png", tops);
    QImage hair(3, 1, QImage::Format_ARGB32);
    hair.fill(Qt::transparent);
    hair.setPixel(1, 0, qRgb(255, 0, 0));
    library.addImage("Hair/A/001.png", hair);
    library.addImage("Hair/A/002.png", QColor(0, 0, 255), 3, 1); // behind the figure
    library.addImage("wm.png", QColor(255, 255, 255, 0), 3, 1);

    OutfitState state;
    state.Tops.switchOn(file("Tops/01.png"));
    state.Hair.switchOn(file("Hair/A/001.png"));
    state.HairExtra.switchOn(file("Hair/A/002.png"));
    PNGPicture png(library.stored());
    CanvasImage canvas;
    canvas.resize(3, 1);
    DrawOutfit(state, library.stored(), png, canvas);

    EXPECT_EQ(canvas.image().pixel(0, 0), qRgb(0, 255, 0)) << "tops over the figure";
    EXPECT_EQ(canvas.image().pixel(1, 0), qRgb(255, 0, 0)) << "hair over the tops";
    EXPECT_EQ(canvas.image().pixel(2, 0), base.rgb()) << "figure over the back of the hair";

    DrawOutfit(state, library.stored(), png, canvas);
    EXPECT_EQ(canvas.image().pixel(1, 0), qRgb(255, 0, 0)) << "a redraw starts from a clear canvas";
}

} // namespace
} // namespace brindo
