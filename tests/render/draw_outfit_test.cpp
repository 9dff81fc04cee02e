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

    // A slot off is not drawn; one on without a path draws an empty path.
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

// Images that cannot be drawn are left out, and listed.
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

// Transparent, coloured, scaled and one-thread renders give the pixels expected.
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
    const auto render = [&](const RenderOptions& options) {
        return renderOutfit(state, library.stored(), options);
    };
    const QImage opaque = render({}).picture;

    const QImage transparent = render({.transparent = true, .openCategory = {}}).picture;
    ASSERT_EQ(transparent.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(transparent.pixel(0, 1), 0U) << "nothing drawn there: no canvas colour";
    EXPECT_EQ(qAlpha(transparent.pixel(0, 0)), 64) << "the top's own alpha";
    EXPECT_EQ(qAlpha(transparent.pixel(1, 1)), 128);
    EXPECT_EQ(qAlpha(transparent.pixel(2, 0)), 255);
    QImage overWhite(3, 2, QImage::Format_RGB32);
    overWhite.fill(Qt::white);
    QPainter(&overWhite).drawImage(0, 0, transparent);
    for (const QPoint at : {QPoint(0, 0), QPoint(1, 0), QPoint(1, 1), QPoint(2, 1)}) {
        const QRgb want = opaque.pixel(at);
        const QRgb got = overWhite.pixel(at);
        EXPECT_LE(std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got)) +
                      std::abs(qBlue(want) - qBlue(got)),
                  3)
            << "over white it is the opaque picture: " << at.x() << "," << at.y();
    }

    const QImage coloured = render({.background = qRgb(0, 0, 255), .openCategory = {}}).picture;
    EXPECT_EQ(coloured.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(coloured.pixel(2, 1), opaque.pixel(2, 1)) << "covered by the figure";

    const QImage scaled = render({.scale = 3, .openCategory = {}}).picture;
    ASSERT_EQ(scaled.size(), QSize(9, 6));
    for (int i = 0; i < 9 * 6; ++i) {
        ASSERT_EQ(scaled.pixel(i % 9, i / 9), opaque.pixel(i % 9 / 3, i / 27)) << i;
    }
    const RenderedOutfit tooLarge = render({.scale = 20000, .openCategory = {}});
    EXPECT_TRUE(tooLarge.picture.isNull());
    EXPECT_TRUE(tooLarge.problem.contains("60000 x 40000 pixels"))
        << tooLarge.problem.toStdString();

    state.tops.enabled = false;
    EXPECT_EQ(render({.openCategory = {}, .oneThread = true}).picture, render({}).picture);
}

} // namespace
} // namespace brindo
