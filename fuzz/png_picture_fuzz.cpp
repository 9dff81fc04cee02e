// loadPicture: whatever a file holds, it either gives a picture or says why
// not, and blendPicture composites the picture onto a canvas anywhere.

#include "catalogue/stored_path.h"
#include "fuzz_support.h"
#include "render/blend.h"
#include "render/canvas_image.h"
#include "render/png/png_loading.h"

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

    const LoadedPicture png = loadPicture(storedFromNative(file), QString());
    const LoadResult result = png.result;
    const bool hasImage = png.image.width() > 0 && png.image.height() > 0;
    check(result == LoadResult::Loaded ? hasImage : !hasImage && png.image.width() == 0,
          "only a loaded file gives a picture");
    check(result == LoadResult::Loaded || result == LoadResult::NotDecodable ||
              result == LoadResult::TooLarge,
          "an existing file is found");
    canvas.clear();
    if (result == LoadResult::Loaded) {
        QImage& surface = *canvas.surface();
        blendPicture(surface, png.image, png.coverage, {0, 0}, 0, surface.height());
        blendPicture(surface, png.image, png.coverage, {-3, 5}, 0, surface.height());
    }

    const QImageReader header(file, "png");
    countOutcome(static_cast<std::size_t>(result));
    countOutcome(16 + static_cast<std::size_t>(header.imageFormat()));
    countOutcome(64 + static_cast<std::size_t>(png.image.width() % 16) * 16 +
                 static_cast<std::size_t>(png.image.height() % 16));
    countOutcome(320 + lastComplaint % 192);
    return 0;
}
