#include "render/draw_outfit.h"
#include "render/png_picture.h"
#include "render/read_ahead.h"
#include "support/temp_library.h"
#include "support/test_images.h"

#include <QStringList>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace brindo {
namespace {

TEST(ReadAheadTest, LoadsOnItsOwnThreadAndHandsOverOnlyWhatWasStarted) {
    std::atomic<int> loads{0};
    const std::thread::id caller = std::this_thread::get_id();
    ReadAhead readAhead([&](const QString& path) {
        ++loads;
        EXPECT_NE(std::this_thread::get_id(), caller);
        return LoadedPicture{static_cast<int>(path.size()), QImage(), QRect()};
    });
    EXPECT_EQ(readAhead.take().result, kNotDecodable) << "nothing was started";

    readAhead.start("abc");
    EXPECT_EQ(readAhead.take().result, 3);
    readAhead.start("a");
    readAhead.start("abcde"); // the first is finished and thrown away
    EXPECT_EQ(readAhead.take().result, 5);
    readAhead.start("ab");
    readAhead.drop();
    EXPECT_EQ(readAhead.take().result, kNotDecodable);
    EXPECT_EQ(loads, 4);
    readAhead.start("left running when the object ends");
}

struct Files {
    test::TempLibrary library;
    QString red = library.stored("red.png");
    QString blue = library.stored("blue.png");
    QString broken = library.stored("broken.png");
    QString missing = library.stored("missing.png");

    Files() {
        library.addImage("red.png", QColor(255, 0, 0), 3, 2);
        library.addImage("blue.png", QColor(0, 0, 255, 128), 5, 4);
        library.addFile("broken.png", test::encodePng(test::samplePicture(), {}).left(60));
    }
};

TEST(ReadAheadTest, ExpectedLoadsGiveWhatSingleLoadsGive) {
    Files files;
    const QStringList plan{files.red,  files.missing, files.broken,
                           files.blue, files.red,     files.blue};
    PNGPicture single(files.library.stored());
    PNGPicture planned(files.library.stored());
    planned.expectLoads(plan);
    for (const QString& path : plan) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(planned.LoadFile(path), single.LoadFile(path));
        EXPECT_EQ(planned.ImageWidth(), single.ImageWidth());
        EXPECT_EQ(planned.ImageHeight(), single.ImageHeight());
    }

    // A load outside the plan ends it; later loads work as ever.
    planned.expectLoads({files.red, files.blue, files.red});
    EXPECT_EQ(planned.LoadFile(files.blue), kLoaded);
    EXPECT_EQ(planned.ImageWidth(), 5);
    EXPECT_EQ(planned.LoadFile(files.blue), kLoaded);
    EXPECT_EQ(planned.LoadFile(files.red), kLoaded);
    EXPECT_EQ(planned.ImageWidth(), 3);
    planned.expectLoads({files.red, files.blue});
    EXPECT_EQ(planned.LoadFile(files.red), kLoaded); // the blue one is left being read
}

TEST(ReadAheadTest, EveryRedrawReadsEveryFileAgain) {
    test::TempLibrary library;
    library.addFixedFiles(4, 4, false);
    OutfitState state;
    state.Tops.switchOn(library.stored("Tops/01.png"));
    state.Hats.switchOn(library.stored("Hats/01.png"));
    library.addImage("Tops/01.png", QColor(0, 200, 0), 4, 4);
    library.addImage("Hats/01.png", QColor(0, 0, 0, 0), 4, 4);
    PNGPicture png(library.stored());
    CanvasImage canvas;
    canvas.resize(4, 4);
    DrawOutfit(state, library.stored(), png, canvas);
    EXPECT_EQ(canvas.image().pixel(1, 1), qRgb(0, 200, 0));

    library.addImage("Hats/01.png", QColor(90, 0, 0), 4, 4);
    DrawOutfit(state, library.stored(), png, canvas);
    EXPECT_EQ(canvas.image().pixel(1, 1), qRgb(90, 0, 0));
    EXPECT_EQ(png.ImageWidth(), 4) << "the last layer stays the current image";
}

} // namespace
} // namespace brindo
