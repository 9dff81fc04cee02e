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

QList<BenchLibrary>& libraries() {
    static QList<BenchLibrary> all;
    return all;
}

OutfitState fullOutfit(const BenchLibrary& library) {
    OutfitState state;
    const auto on = [&](LayerSlot& slot, const char* relative) {
        slot.switchOn(library.file(QString::fromLatin1(relative)));
    };
    on(state.Background, "Backgrounds/01.png");
    on(state.HairExtra, "Hair/Long/002.png");
    on(state.Footwear, "Footwear/01.png");
    on(state.Bottom, "Bottoms/01.png");
    on(state.Tops, "Tops/01.png");
    on(state.Other, "Other/01.png");
    on(state.Mouth, "Mouth/Cheeky/00.png");
    on(state.Eyes, "Eyes/Round/00.png");
    on(state.Hair, "Hair/Long/001.png");
    on(state.Eyewear, "Eyewear/01.png");
    on(state.Hats, "Hats/01.png");
    on(state.FriendsAndPets, "Friends and pets/01.png");
    on(state.Interests, "Interests/01.png");
    on(state.Foregrounds, "Foregrounds/01.png");
    return state;
}

OutfitState readyMadeOutfit(const BenchLibrary& library) {
    OutfitState state = fullOutfit(library);
    state.currentCategory = QStringLiteral("Ready-made outfits");
    state.ReadyMadeOutfit.switchOn(QStringLiteral("01"));
    return state;
}

void requireFiles(const BenchLibrary& library) {
    for (const OutfitState& state : {fullOutfit(library), readyMadeOutfit(library)}) {
        for (const QString& path : drawPlan(state, library.stored)) {
            if (!QFileInfo(nativePath(path)).isFile()) {
                std::fprintf(stderr, "brindo-bench: %s has no %s; draw the sample library there\n",
                             qPrintable(library.native), qPrintable(path));
                std::exit(2);
            }
        }
    }
}

} // namespace brindo::bench
