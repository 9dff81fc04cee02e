// PngPainter: whatever a file holds, load either makes it the current
// image or reports why not, and drawOn composites it onto a canvas.

#include "catalogue/stored_path.h"
#include "fuzz_support.h"
#include "render/canvas_image.h"
#include "render/png/png_painter.h"

#include <QImageReader>
#include <array>

namespace brindo::fuzz {
namespace {

// The decoder lives in libraries built without coverage instrumentation, so
// the outcome of each input is fed back to libFuzzer through extra counters:
// inputs that reach another pixel format, size or decoder complaint count as
// new coverage and stay in the corpus.
constexpr std::size_t kOutcomes = 512;
__attribute__((section("__libfuzzer_extra_counters"))) std::array<std::uint8_t, kOutcomes> outcomes;

std::size_t lastComplaint = 0;

void noteComplaint(QtMsgType /*type*/, const QMessageLogContext& /*context*/,
                   const QString& message) {
    lastComplaint = qHash(message);
}

void countOutcome(std::size_t key) {
    ++outcomes.at(key % kOutcomes);
}

} // namespace
} // namespace brindo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brindo;
    using namespace brindo::fuzz;
    static CanvasImage canvas = [] {
        qInstallMessageHandler(noteComplaint);
        CanvasImage image;
        image.resize(110, 212); // the size of the sample library's pictures
        return image;
    }();
    const QString file = writeInput(QStringLiteral("picture.png"), data, size);
    lastComplaint = 0;

    PngPainter png;
    const LoadResult result = png.load(storedFromNative(file));
    const bool hasImage = png.width() > 0 && png.height() > 0;
    check(result == LoadResult::Loaded ? hasImage : !hasImage && png.width() == 0,
          "only a loaded file gives a current image");
    check(result == LoadResult::Loaded || result == LoadResult::NotDecodable ||
              result == LoadResult::TooLarge,
          "an existing file is found");
    canvas.clear();
    png.drawOn(canvas.surface(), 0, 0);
    png.drawOn(canvas.surface(), -3, 5);

    const QImageReader header(file, "png");
    countOutcome(static_cast<std::size_t>(result));
    countOutcome(16 + static_cast<std::size_t>(header.imageFormat()));
    countOutcome(64 + static_cast<std::size_t>(png.width() % 16) * 16 +
                 static_cast<std::size_t>(png.height() % 16));
    countOutcome(320 + lastComplaint % 192);
    return 0;
}
