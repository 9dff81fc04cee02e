#include "render/draw_outfit.h"
#include "render/outfit_render.h"
#include "support/temp_library.h"

#include <QFile>
#include <QPainter>
#include <QStringList>
#include <gtest/gtest.h>

namespace brindo {
namespace {

class DrawOutfitTest : public testing::Test {
protected:
    test::TempLibrary library;

    QString file(const QString& relative) const { return library.stored(relative); }
    QStringList plan(const Outfit& outfit, const QString& openCategory = {}) const {
        return drawPlan(outfit, resolveLibraryLayout(library.stored(), openCategory));
    }
};

TEST_F(DrawOutfitTest, LayeredOrderPutsEverySlotAtItsPlace) {
    library.addFixedFiles();
    Outfit state;
    for (const SlotInfo& info : kSlotTable) {
        (state.*(info.field)).switchOn(file(QString::fromLatin1(info.name) + ".png"));
    }
    state.readyMadeOutfit.enabled = false;
    QStringList expected;
    for (const char* name : {"Background", "HairExtra", "10195", "Footwear", "Bottom", "Tops",
                             "Other", "10196", "Mouth", "Eyes", "Hair", "Eyewear", "Hats",
                             "FriendsAndPets", "Interests", "Foregrounds", "wm"}) {
        expected.append(file(QString::fromLatin1(name) + ".png"));
    }
    EXPECT_EQ(plan(state), expected);

    // A slot off keeps its path and is not drawn; one on without a path is
    // loaded as an empty path, which draws nothing.
    state = {};
    state.hair.imagePath = file("Hair.png");
    state.tops.enabled = true;
    EXPECT_EQ(plan(state), (QStringList{file("10195.png"), "", file("10196.png"), file("wm.png")}));
    QFile::remove(library.native("wm.png"));
    library.addFolder("wm.png");
    EXPECT_EQ(plan(state).size(), 3) << "the watermark is drawn only when it is a file";
}

TEST_F(DrawOutfitTest, ReadyMadeOutfitsDrawTheirFramesWithTheEyesAsFrameFour) {
    library.addFixedFiles();
    Outfit state;
    state.eyes.switchOn(file("Eyes.png"));
    state.tops.switchOn(file("Tops.png"));
    state.readyMadeOutfit.switchOn("01");
    EXPECT_EQ(plan(state, "Tops").constFirst(), file("Tops/01/1.png"))
        << "without a ready-made folder, the open category's";

    library.addFolder("READY-MADE OUTFITS/01");
    QStringList expected;
    for (const QString frame : {"1", "2", "3", "", "5", "6", "7", "8"}) {
        expected.append(frame.isEmpty() ? file("Eyes.png")
                                        : file("READY-MADE OUTFITS/01/" + frame + ".png"));
    }
    EXPECT_EQ(plan(state), expected + QStringList{file("wm.png")});
    state.eyes.enabled = false;
    expected.removeAt(3);
    EXPECT_EQ(plan(state), expected + QStringList{file("wm.png")});
    for (const char* notAnOutfit : {"1", "13", "", "00", "01 "}) {
        state.readyMadeOutfit.imagePath = QString::fromLatin1(notAnOutfit);
        EXPECT_EQ(plan(state), QStringList{file("wm.png")}) << notAnOutfit;
    }
}

// Each layer paints an overlapping bar, so the picture shows which lies on
// top; every redraw starts from the background and checks every file again,
// so a file rewritten at once shows on the next redraw.
TEST_F(DrawOutfitTest, LaterLayersCoverEarlierOnesAndEveryRedrawReadsTheFilesAgain) {
    const QRgb figure = qRgb(200, 150, 120), back = qRgb(0, 0, 255), tops = qRgb(0, 255, 0),
               hair = qRgb(255, 0, 0), white = CanvasImage::kBackground;
    const auto bar = [this](const QString& name, QList<QRgb> pixels) {
        const QImage image(reinterpret_cast<uchar*>(pixels.data()), 4, 1, QImage::Format_ARGB32);
        library.addImage(name, image);
    };
    bar("10195.png", {figure, figure, figure, 0});
    bar("Tops/01.png", {tops, tops, 0, 0});
    bar("Hair/A/001.png", {0, hair, 0, hair});
    bar("Hair/A/002.png", {back, back, back, 0}); // the back of the hair, behind the figure
    Outfit state;
    state.tops.switchOn(file("Tops/01.png"));
    state.hair.switchOn(file("Hair/A/001.png"));
    state.hairExtra.switchOn(file("Hair/A/002.png"));
    LayerCompositor compositor(LayerCompositor::windowSettings(library.stored()));
    CanvasImage canvas;
    canvas.resize(4, 1);
    const auto drawnRow = [&] {
        drawOutfit(plan(state), compositor, canvas);
        const auto* row = reinterpret_cast<const QRgb*>(canvas.image().constScanLine(0));
        return QList<QRgb>(row, row + 4);
    };
    EXPECT_EQ(drawnRow(), (QList<QRgb>{tops, hair, figure, hair}));
    bar("Hair/A/001.png", {0, 0, hair, 0});
    EXPECT_EQ(drawnRow(), (QList<QRgb>{tops, tops, hair, white}));
}

// brindo-cli's picture is compared with the window's in the command line
// tests; here, what becomes of images that cannot be drawn.
TEST_F(DrawOutfitTest, RenderedOutfitListsAndLeavesOutImagesThatCannotBeLoaded) {
    library.addFixedFiles(6, 5);
    library.addImage("Tops/01.png", QColor(255, 0, 0, 100), 6, 5);
    library.addFile("Other/02.png", "not a picture");
    Outfit state;
    state.tops.switchOn(file("Tops/01.png"));
    const QImage topsOnly = renderOutfit(state, library.stored()).picture;
    state.other.switchOn(file("Other/02.png")); // drawn right after the tops
    state.eyes.switchOn(file("Eyes/07.png"));
    state.mouth.switchOn(file("Eyes/07.png"));
    const RenderedOutfit rendered = renderOutfit(state, library.stored());
    EXPECT_EQ(rendered.picture.size(), QSize(6, 5)) << "the base figure's size";
    EXPECT_EQ(rendered.picture, topsOnly);
    EXPECT_EQ(rendered.failedLoads,
              (QList<FailedLoad>{{file("Other/02.png"), LoadResult::NotDecodable},
                                 {file("Eyes/07.png"), LoadResult::FileNotFound}}))
        << "in drawing order, each once";
    QFile::remove(library.native("10195.png"));
    EXPECT_TRUE(renderOutfit(state, library.stored()).picture.isNull());
}

// A clear canvas keeps each layer's own alpha, a background colour shows
// wherever nothing covers it, a scale repeats every pixel, and one thread
// draws the same pixels as two.
TEST_F(DrawOutfitTest, RenderOptionsMakeTransparentColouredAndLargerPictures) {
    QImage figure(3, 2, QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y) {
        figure.setPixel(0, y, qRgba(0, 0, 0, 0));
        figure.setPixel(1, y, qRgba(200, 100, 50, 128));
        figure.setPixel(2, y, qRgba(10, 20, 30, 255));
    }
    library.addImage("10195.png", figure);
    library.addImage("Tops/01.png", QColor(0, 255, 0, 64), 3, 1);
    Outfit state;
    state.tops.switchOn(file("Tops/01.png"));
    const QImage opaque = renderOutfit(state, library.stored()).picture;

    RenderOptions clear;
    clear.transparent = true;
    const QImage transparent = renderOutfit(state, library.stored(), clear).picture;
    ASSERT_EQ(transparent.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(transparent.pixel(0, 1), 0U) << "nothing drawn there: no canvas colour";
    EXPECT_EQ(qAlpha(transparent.pixel(0, 0)), 64) << "the top's own alpha";
    EXPECT_EQ(qAlpha(transparent.pixel(1, 1)), 128);
    EXPECT_EQ(qAlpha(transparent.pixel(2, 0)), 255);
    QImage overWhite(3, 2, QImage::Format_RGB32);
    overWhite.fill(Qt::white);
    QPainter(&overWhite).drawImage(0, 0, transparent);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const QRgb want = opaque.pixel(x, y);
            const QRgb got = overWhite.pixel(x, y);
            EXPECT_LE(std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got)) +
                          std::abs(qBlue(want) - qBlue(got)),
                      3)
                << "over white it is the opaque picture: " << x << "," << y;
        }
    }

    RenderOptions blue;
    blue.background = qRgb(0, 0, 255);
    const QImage coloured = renderOutfit(state, library.stored(), blue).picture;
    EXPECT_EQ(coloured.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(coloured.pixel(2, 1), opaque.pixel(2, 1)) << "covered by the figure";

    RenderOptions larger;
    larger.scale = 3;
    const QImage scaled = renderOutfit(state, library.stored(), larger).picture;
    ASSERT_EQ(scaled.size(), QSize(9, 6));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 9; ++x) {
            ASSERT_EQ(scaled.pixel(x, y), opaque.pixel(x / 3, y / 3)) << x << "," << y;
        }
    }
    larger.scale = 20000;
    const RenderedOutfit tooLarge = renderOutfit(state, library.stored(), larger);
    EXPECT_TRUE(tooLarge.picture.isNull());
    EXPECT_TRUE(tooLarge.problem.contains("60000 x 40000 pixels"))
        << tooLarge.problem.toStdString();

    state.tops.enabled = false;
    RenderOptions oneThread;
    oneThread.oneThread = true;
    EXPECT_EQ(renderOutfit(state, library.stored(), oneThread).picture,
              renderOutfit(state, library.stored()).picture);
}

} // namespace
} // namespace brindo
