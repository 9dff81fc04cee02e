// With its cached layers and kept bottoms, the compositor still draws what QPainter draws.

#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"
#include "support/temp_library.h"
#include "support/test_images.h"

#include <QFile>
#include <QPainter>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <thread>

namespace brindo {
namespace {

using namespace std::chrono_literals;

class LayerCompositorTest : public testing::Test {
protected:
    test::TempLibrary library;
    CanvasImage canvas;

    // The window's settings, but files are trusted at once.
    LayerCompositor::Settings trustingSettings() const {
        LayerCompositor::Settings settings = LayerCompositor::windowSettings(library.stored());
        settings.settleTime = 0ns;
        return settings;
    }

    // The picture of the plan as Qt reads and QPainter draws each file.
    QImage drawnByQt(const QStringList& plan) const {
        QImage picture(canvas.width(), canvas.height(), canvas.image().format());
        picture.fill(canvas.fill());
        QPainter painter(&picture);
        for (const QString& path : plan) {
            const QString file = locateImage(path, library.stored());
            painter.drawImage(0, 0, file.isEmpty() ? QImage() : QImage(file));
        }
        return picture;
    }
};

void setModifiedTime(const QString& file, qint64 nanoseconds) {
    const timespec times[2] = {{0, UTIME_OMIT},
                               {nanoseconds / 1'000'000'000, nanoseconds % 1'000'000'000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
}

void overwrite(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly)); // the same inode, cut to nothing first
    ASSERT_EQ(out.write(bytes), bytes.size());
}

TEST_F(LayerCompositorTest, ACachedLayerIsReadAgainWhenItsFileIsRewrittenReplacedOrDeleted) {
    // Files of the same size, so that only their times and inodes differ.
    const QByteArray red = test::encodeFlatPng(4, 4, qRgb(255, 0, 0));
    const QByteArray green = test::encodeFlatPng(4, 4, qRgb(0, 255, 0));
    const QByteArray blue = test::encodeFlatPng(4, 4, qRgb(0, 0, 255));
    library.addFile("Tops/01.png", red);
    const QString file = library.native("Tops/01.png");
    const QStringList plan{library.stored("Tops/01.png")};
    canvas.resize(4, 4);
    ComposeReport report;
    const auto drawn = [&](LayerCompositor& compositor) {
        report = drawOutfit(plan, compositor, canvas);
        return canvas.image().pixel(2, 2);
    };

    // With the window's settings a file written a moment ago is read on every redraw.
    LayerCompositor careful(LayerCompositor::windowSettings(library.stored()));
    for (int redraw = 0; redraw < 2; ++redraw) {
        EXPECT_EQ(drawn(careful), qRgb(255, 0, 0));
        EXPECT_EQ(report.decoded, 1);
    }

    LayerCompositor compositor(trustingSettings());
    EXPECT_EQ(drawn(compositor), qRgb(255, 0, 0));
    EXPECT_EQ(drawn(compositor), qRgb(255, 0, 0));
    EXPECT_EQ(report.reused, 1) << "an unchanged file is not read again";

    // Rewritten in place, its modification time put back: only the change time tells.
    const FileIdentity first = *regularFileIdentity(file);
    std::this_thread::sleep_for(30ms); // past the file system's time step
    overwrite(file, green);
    setModifiedTime(file, first.modifiedNs);
    ASSERT_TRUE(regularFileIdentity(file)->sameFile(first));
    EXPECT_EQ(drawn(compositor), qRgb(0, 255, 0));
    EXPECT_EQ(report.decoded, 1);

    // Replaced by a rename: another inode with the same size and times.
    library.addFile("Tops/01.png.new", blue);
    setModifiedTime(file + ".new", first.modifiedNs);
    ASSERT_EQ(std::rename(QFile::encodeName(file + ".new").constData(),
                          QFile::encodeName(file).constData()),
              0);
    EXPECT_EQ(drawn(compositor), qRgb(0, 0, 255));
    EXPECT_EQ(report.decoded, 1);
    EXPECT_EQ(compositor.cache().layers(), 1) << "the replaced file's layer is let go";

    // Deleted: the layer disappears, and the cache lets go of it when the
    // window drops vanished layers after each redraw.
    compositor.dropVanished();
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(drawn(compositor), CanvasImage::kBackground);
    EXPECT_EQ(report.results, QList<LoadResult>{LoadResult::FileNotFound});
    compositor.dropVanished();
    EXPECT_EQ(compositor.cache().layers(), 0);

    // Rewritten below the layer a pick changes: the composite kept below it is old.
    library.addFile("Tops/01.png", red);
    library.addImage("Hats/01.png", QColor(0, 0, 0, 0));
    library.addImage("Hats/02.png", QColor(0, 0, 0, 0));
    const QString top = library.stored("Tops/01.png");
    const QStringList hats{library.stored("Hats/01.png"), library.stored("Hats/02.png")};
    drawOutfit({top, hats[0]}, compositor, canvas);
    drawOutfit({top, hats[1]}, compositor, canvas); // keeps the top below the hat
    std::this_thread::sleep_for(30ms);
    overwrite(file, green);
    report = drawOutfit({top, hats[0]}, compositor, canvas);
    EXPECT_EQ(report.firstBlended, 0);
    EXPECT_EQ(canvas.image().pixel(2, 2), qRgb(0, 255, 0));

    // A batch's compositor looks at a kept layer's file only when drawing it: still the new one.
    LayerCompositor::Settings batch =
        LayerCompositor::oneShotSettings(library.stored(), {4, 1 << 20});
    batch.settleTime = 0ns;
    LayerCompositor batchCompositor(batch);
    EXPECT_EQ(drawn(batchCompositor), qRgb(0, 255, 0));
    std::this_thread::sleep_for(30ms);
    overwrite(file, red);
    EXPECT_EQ(drawn(batchCompositor), qRgb(255, 0, 0));
    EXPECT_EQ(report.decoded, 1);
}

TEST_F(LayerCompositorTest, FilesReadAheadAreDrawnWithoutReadingThemAgainUnlessTheyChange) {
    library.addFile("Tops/01.png", test::encodeFlatPng(4, 4, qRgb(255, 0, 0)));
    library.addFile("Tops/02.png", test::encodeFlatPng(4, 4, qRgb(0, 255, 0)));
    const QString first = library.stored("Tops/01.png");
    const QString second = library.stored("Tops/02.png");
    canvas.resize(4, 4);
    LayerCompositor compositor(trustingSettings());
    const auto waitForReadAhead = [&] {
        for (int waited = 0; compositor.readingAhead() && waited < 1000; ++waited) {
            std::this_thread::sleep_for(5ms);
        }
    };
    EXPECT_EQ(drawOutfit({first}, compositor, canvas).decoded, 1);

    compositor.readAhead({first, second});
    waitForReadAhead();
    ComposeReport report = drawOutfit({first, second}, compositor, canvas);
    EXPECT_EQ(report.decoded, 0);
    EXPECT_EQ(report.reused, 2);
    EXPECT_EQ(canvas.image().pixel(1, 1), qRgb(0, 255, 0));

    // Changed after it was read ahead: read again.
    drawOutfit({first}, compositor, canvas);
    compositor.readAhead({second});
    waitForReadAhead();
    std::this_thread::sleep_for(30ms); // past the file system's time step
    overwrite(library.native("Tops/02.png"), test::encodeFlatPng(4, 4, qRgb(0, 0, 255)));
    report = drawOutfit({second}, compositor, canvas);
    EXPECT_EQ(report.decoded, 1);
    EXPECT_EQ(canvas.image().pixel(1, 1), qRgb(0, 0, 255));

    // Drawn before the read-ahead is done: the same picture either way.
    compositor.readAhead({first});
    EXPECT_EQ(drawOutfit({first}, compositor, canvas).results, QList{LoadResult::Loaded});
    EXPECT_EQ(canvas.image().pixel(1, 1), qRgb(255, 0, 0));
}

// Every slot on, two items each of mixed alpha, with a full background and a foreground band.
TEST_F(LayerCompositorTest, ReusingTheBottomGivesTheFullRedrawsPixelsForAChangeInEverySlot) {
    constexpr int kWidth = 12;
    constexpr int kHeight = 9;
    library.addFixedFiles(kWidth, kHeight);
    library.addImage("10195.png", QColor(200, 150, 120, 160), kWidth, kHeight);
    library.addImage("wm.png", QColor(255, 255, 255, 128), kWidth, kHeight);
    Outfit outfit;
    int slotNumber = 0;
    for (const SlotInfo& info : kSlotTable) {
        if (info.field == &Outfit::readyMadeOutfit) {
            continue;
        }
        ++slotNumber;
        const QString folder = QString::fromLatin1(info.name);
        for (const int item : {1, 2}) {
            QImage image(kWidth, kHeight, QImage::Format_ARGB32);
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    const int seed = x * 3 + y * 5 + slotNumber * 11 + item * 2;
                    const int alpha = std::array{0, 0, 0, 255, 90, 200, 30, 0, 60}[seed % 9];
                    image.setPixel(x, y, qRgba(seed * 37 % 256, slotNumber * 20, item * 90, alpha));
                }
            }
            if (info.field == &Outfit::background) {
                image.fill(qRgb(10 * item, 90, 30));
            } else if (info.field == &Outfit::foregrounds && item == 2) {
                QPainter(&image).fillRect(0, 3, kWidth, 2, qRgb(200, 10, 10));
            }
            const QString name = QStringLiteral("%1/%2.png").arg(folder).arg(item);
            library.addImage(name, image);
        }
        (outfit.*(info.field)).switchOn(library.stored(folder + "/1.png"));
    }
    const LibraryLayout layout = resolveLibraryLayout(library.stored());
    canvas.resize(kWidth, kHeight);
    LayerCompositor compositor(trustingSettings());
    drawOutfit(drawPlan(outfit, layout), compositor, canvas);
    EXPECT_EQ(canvas.image(), drawnByQt(drawPlan(outfit, layout)));

    for (const SlotInfo& info : kSlotTable) {
        if (info.field == &Outfit::readyMadeOutfit) {
            continue;
        }
        for (const int item : {2, 1, 2}) {
            const QString file = library.stored(
                QStringLiteral("%1/%2.png").arg(QString::fromLatin1(info.name)).arg(item));
            (outfit.*(info.field)).switchOn(file);
            const QStringList plan = drawPlan(outfit, layout);
            const ComposeReport report = drawOutfit(plan, compositor, canvas);
            ASSERT_EQ(canvas.image(), drawnByQt(plan)) << info.name << " item " << item;
            if (item == 1) {
                EXPECT_EQ(report.firstBlended, plan.indexOf(file))
                    << info.name << ": a second change in the same slot starts from there";
                EXPECT_EQ(report.decoded, 0);
            }
        }
    }
    // A bottom kept from an opaque canvas is not used on a clear one.
    outfit.background.enabled = false;
    for (const char* item : {"Tops/2.png", "Tops/1.png"}) {
        outfit.tops.switchOn(library.stored(item));
        drawOutfit(drawPlan(outfit, layout), compositor, canvas);
    }
    canvas.resize(kWidth, kHeight, CanvasImage::kClear);
    for (int change = 0; change < 2; ++change) { // the same plan, then another foreground
        outfit.foregrounds.switchOn(
            library.stored(change == 0 ? "Foregrounds/2.png" : "Foregrounds/1.png"));
        drawOutfit(drawPlan(outfit, layout), compositor, canvas);
        ASSERT_EQ(canvas.image(), drawnByQt(drawPlan(outfit, layout))) << change;
    }
    canvas.resize(kWidth, kHeight);
    outfit.background.enabled = true;

    // Start-up and Open draw the last layer twice, also over a kept bottom and uncached.
    const QStringList plan = drawPlan(outfit, layout);
    drawOutfit(plan, compositor, canvas, LastLayer::Twice);
    EXPECT_EQ(canvas.image(), drawnByQt(plan + QStringList{plan.last()}));
    LayerCompositor::Settings uncached = trustingSettings();
    uncached.cacheBounds = {};
    LayerCompositor forgetful(uncached);
    drawOutfit(plan, forgetful, canvas);
    drawOutfit(plan.first(plan.size() - 1) + QStringList{plan.first()}, forgetful, canvas);
    const QStringList shorter = plan.first(plan.size() - 1);
    EXPECT_EQ(drawOutfit(shorter, forgetful, canvas, LastLayer::Twice).firstBlended,
              shorter.size());
    EXPECT_EQ(canvas.image(), drawnByQt(shorter + QStringList{shorter.last()}));
}

// Random pictures with files rewritten or deleted: bounds hold, no gone file stays, pixels right.
TEST_F(LayerCompositorTest, TheCacheKeepsItsBoundsInARandomSession) {
    constexpr int kFiles = 60;
    std::mt19937 random(20240611);
    const auto below = [&](int count) {
        return std::uniform_int_distribution(0, count - 1)(random);
    };
    const auto writeImage = [&](int number) {
        const int side = 4 + below(28);
        QImage image(side, side + below(5), QImage::Format_ARGB32);
        image.fill(qRgba(below(256), below(256), below(256), below(256)));
        library.addImage(QStringLiteral("Items/%1.png").arg(number), image);
    };
    for (int number = 0; number < kFiles; ++number) {
        writeImage(number);
    }
    LayerCompositor::Settings settings = trustingSettings();
    settings.cacheBounds = {12, 24 * 1024};
    LayerCompositor compositor(settings);
    canvas.resize(24, 24);
    const auto randomPlan = [&] {
        QStringList plan;
        for (int layer = below(kMostLayersInAPicture) + 1; layer > 0; --layer) {
            plan.append(library.stored(QStringLiteral("Items/%1.png").arg(below(kFiles + 3))));
        }
        return plan;
    };
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE(step);
        const QStringList plan = randomPlan();
        const int changed = below(kFiles);
        if (step % 10 == 9) {
            QFile::remove(library.native(QStringLiteral("Items/%1.png").arg(changed)));
        } else if (step % 10 == 4) {
            std::this_thread::sleep_for(20ms); // past the file system's time step
            writeImage(changed);
        }
        drawOutfit(plan, compositor, canvas);
        compositor.dropVanished(); // as the window does once the picture is shown
        ASSERT_EQ(canvas.image(), drawnByQt(plan));
        const LayerCache& cache = compositor.cache();
        ASSERT_LE(cache.layers(), settings.cacheBounds.layers);
        ASSERT_LE(cache.bytes(), settings.cacheBounds.bytes);
        for (const QString& file : cache.files()) {
            ASSERT_TRUE(QFile::exists(file))
                << "a layer whose file is gone: " << file.toStdString();
        }
    }
}

} // namespace
} // namespace brindo
