#include "bench_library.h"

#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"

#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace brindo::bench {

QString BenchLibrary::file(const QString& relative) const {
    QString path = relative;
    path.replace(u'/', kStoredSeparator);
    return joinStored(stored, path);
}

bool equalsFullRedraw(const CanvasImage& canvas, const QStringList& plan,
                      const QString& libraryFolder) {
    LayerCompositor::Settings settings = LayerCompositor::windowSettings(libraryFolder);
    settings.cacheBounds = {};
    settings.keepBottom = false;
    LayerCompositor fresh(settings);
    CanvasImage full;
    full.resize(canvas.width(), canvas.height(), canvas.fill());
    drawOutfit(plan, fresh, full);
    return full.image() == canvas.image();
}

QList<BenchLibrary>& libraries() {
    static QList<BenchLibrary> all;
    return all;
}

Outfit fullOutfit(const BenchLibrary& library) {
    Outfit state;
    const auto on = [&](LayerSlot& slot, const char* relative) {
        slot.switchOn(library.file(QString::fromLatin1(relative)));
    };
    on(state.background, "Backgrounds/01.png");
    on(state.hairExtra, "Hair/Long/002.png");
    on(state.footwear, "Footwear/01.png");
    on(state.bottom, "Bottoms/01.png");
    on(state.tops, "Tops/01.png");
    on(state.other, "Other/01.png");
    on(state.mouth, "Mouth/Cheeky/00.png");
    on(state.eyes, "Eyes/Round/00.png");
    on(state.hair, "Hair/Long/001.png");
    on(state.eyewear, "Eyewear/01.png");
    on(state.hats, "Hats/01.png");
    on(state.friendsAndPets, "Friends and pets/01.png");
    on(state.interests, "Interests/01.png");
    on(state.foregrounds, "Foregrounds/01.png");
    return state;
}

Outfit readyMadeOutfit(const BenchLibrary& library) {
    Outfit state = fullOutfit(library);
    state.readyMadeOutfit.switchOn(QStringLiteral("01"));
    return state;
}

void requireFiles(const BenchLibrary& library) {
    for (const Outfit& state : {fullOutfit(library), readyMadeOutfit(library)}) {
        for (const QString& path : drawPlan(state, resolveLibraryLayout(library.stored))) {
            if (!QFileInfo(nativePath(path)).isFile()) {
                std::fprintf(stderr, "brindo-bench: %s has no %s; draw the sample library there\n",
                             qPrintable(library.native), qPrintable(path));
                std::exit(2);
            }
        }
    }
}

} // namespace brindo::bench
