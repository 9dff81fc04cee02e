#include "bench_library.h"

#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

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

namespace {

// An item of its own: a rounded shape in a colour and at a place that change
// with the item, striped so that it does not compress to nothing.
QImage previewItem(QSize size, int item) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor::fromHsv((item * 37) % 360, 200, 120), 2));
    painter.setBrush(QBrush(QColor::fromHsv((item * 37) % 360, 160, 230), Qt::Dense3Pattern));
    const QRect shape(size.width() / 6 + item % 11, size.height() / 3 + item % 17,
                      size.width() / 2 + item % 7, size.height() / 3 + item % 13);
    painter.drawRoundedRect(shape, 8, 8);
    return image;
}

void fail(const QString& what) {
    std::fprintf(stderr, "brindo-bench: %s\n", qPrintable(what));
    std::exit(2);
}

} // namespace

QString previewLibrary(const BenchLibrary& library) {
    static std::map<QString, std::unique_ptr<QTemporaryDir>> made;
    std::unique_ptr<QTemporaryDir>& folder = made[library.name];
    if (folder) {
        return folder->path();
    }
    folder = std::make_unique<QTemporaryDir>();
    std::error_code error;
    std::filesystem::copy(library.native.toStdString(), folder->path().toStdString(),
                          std::filesystem::copy_options::recursive, error);
    const QSize size =
        QImageReader(QDir(library.native).filePath(QStringLiteral("10195.png"))).size();
    if (error || !size.isValid()) {
        fail(QStringLiteral("cannot copy %1 for the previews").arg(library.native));
    }
    for (const int count : {200, 2000}) {
        QDir category(folder->path());
        const QString name = QStringLiteral("Tops %1").arg(count);
        category.mkdir(name);
        category.cd(name);
        for (int item = 1; item <= count; ++item) {
            const QString file = QStringLiteral("%1.png").arg(item, 4, 10, QChar(u'0'));
            if (!previewItem(size, item).save(category.filePath(file), "png")) {
                fail(QStringLiteral("cannot write %1").arg(category.filePath(file)));
            }
        }
    }
    return folder->path();
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
