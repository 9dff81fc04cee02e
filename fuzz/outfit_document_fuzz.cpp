// Outfit documents: whatever a file holds, Open either refuses it with a
// reason or reads an outfit whose picture plan can be worked out, and saving
// that outfit back reads back the same outfit.

#include "catalogue/stored_path.h"
#include "document/outfit_document.h"
#include "fuzz_support.h"
#include "render/draw_outfit.h"
#include "render/outfit_render.h"

#include <QDir>

namespace brindo::fuzz {
namespace {

// A small library for the paths of a document to be looked for in.
QString libraryFolder() {
    static const QString folder = [] {
        const QString native = scratchPath(QStringLiteral("install"));
        for (const char* relative : {"Tops", "Hair/Long", "Ready-made outfits/01"}) {
            QDir().mkpath(native + u'/' + QLatin1String(relative));
        }
        writeFile(native + QStringLiteral("/Tops/01.png"), "not really a picture");
        return storedFromNative(native);
    }();
    return folder;
}

bool sameLayers(const Outfit& a, const Outfit& b) {
    for (const SlotInfo& info : kSlotTable) {
        const LayerSlot& x = a.*(info.field);
        const LayerSlot& y = b.*(info.field);
        if (x.enabled != y.enabled || (x.enabled && x.path() != y.path())) {
            return false;
        }
    }
    return true;
}

} // namespace
} // namespace brindo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brindo;
    using namespace brindo::fuzz;
    const QString file = writeInput(QStringLiteral("outfit.BRD"), data, size);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const LoadedProfile loaded = loadOutfitDocument(file);
    if (loaded.refused()) {
        check(loaded.problem.contains(QLatin1String("is not an outfit document")),
              "a refused document is said to be no outfit document");
        return 0;
    }
    check(loaded.status == LoadedProfile::Status::Loaded, "an existing file is read");

    Outfit state = outfitFromDocument(loaded.text);
    const LibraryLayout layout =
        resolveLibraryLayout(libraryFolder(), QStringLiteral("Ready-made outfits"));
    for (const QString& image : drawPlan(state, layout)) {
        (void)locateImage(image, libraryFolder());
    }

    const FileOutcome saved = saveOutfitDocument(file, state);
    if (!saved.ok()) {
        check(readFile(file) == bytes, "a failed save leaves the document as it was");
        return 0;
    }
    const LoadedProfile again = loadOutfitDocument(file);
    check(again.status == LoadedProfile::Status::Loaded, "a saved document reads again");
    check(sameLayers(outfitFromDocument(again.text), state), "a saved outfit reads back the same");
    return 0;
}
