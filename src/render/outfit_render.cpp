#include "render/outfit_render.h"

#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "document/outfit_document.h"
#include "document/text_codec.h"
#include "render/canvas_image.h"
#include "render/draw_outfit.h"
#include "render/picture_export.h"
#include "render/png_picture.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QObject>

namespace brindo {

namespace {

QString shown(const QString& nativeFile) {
    return QDir::toNativeSeparators(nativeFile);
}

bool isPngFile(const QString& nativeFile) {
    static constexpr QByteArrayView kSignature("\x89PNG\r\n\x1a\n");
    QFile file(nativeFile);
    return file.open(QIODevice::ReadOnly) && file.read(kSignature.size()) == kSignature;
}

// Each line is decoded as a document field is, so that the text reads back as
// the same outfit once written out again as UTF-8.
QString documentText(const QByteArray& bytes) {
    QString text;
    qsizetype begin = 0;
    while (begin < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', begin);
        end = end < 0 ? bytes.size() : end + 1;
        text += decodeText(QByteArrayView(bytes).sliced(begin, end - begin));
        begin = end;
    }
    if (text.startsWith(QChar(QChar::ByteOrderMark))) {
        text.remove(0, 1); // it marks the encoding and is no part of the text
    }
    return text;
}

OutfitSource readPngSource(const QString& nativeFile) {
    OutfitSource source;
    // The reader's own text() folds line breaks; the image keeps the text whole.
    QImageReader reader(nativeFile, "png");
    const QImage picture = reader.read();
    if (picture.isNull()) {
        source.problem = QObject::tr("Could not read the picture \"%1\": %2.")
                             .arg(shown(nativeFile), reader.errorString().toLower());
        return source;
    }
    if (!picture.textKeys().contains(kOutfitTextKey)) {
        source.problem =
            QObject::tr("\"%1\" is a picture without an outfit in it.").arg(shown(nativeFile));
        return source;
    }
    source.documentText = picture.text(kOutfitTextKey);
    source.state = outfitFromDocument(ProfileText(source.documentText.toUtf8()));
    return source;
}

} // namespace

OutfitState outfitFromDocument(const ProfileText& document) {
    OutfitState state;
    const OutfitValues values(document);
    for (const SlotInfo& info : kSlotTable) {
        values.applyTo(info, state);
    }
    return state;
}

OutfitSource readOutfitSource(const QString& nativeFile) {
    if (isPngFile(nativeFile)) {
        return readPngSource(nativeFile);
    }
    OutfitSource source;
    const LoadedProfile loaded = loadOutfitDocument(nativeFile);
    if (loaded.status == LoadedProfile::Status::Missing) {
        source.problem = QObject::tr("\"%1\" does not exist.").arg(shown(nativeFile));
    } else if (loaded.refused()) {
        source.problem = loaded.problem;
    } else {
        source.state = outfitFromDocument(loaded.text);
        source.documentText = documentText(loaded.text.bytes());
    }
    return source;
}

RenderedOutfit renderOutfit(const OutfitState& state, const QString& storedInstallFolder) {
    RenderedOutfit rendered;
    PNGPicture png(storedInstallFolder);
    if (png.LoadFile(baseFigurePath(storedInstallFolder)) != kLoaded) {
        rendered.problem =
            QObject::tr("the base figure \"%1\" is missing or cannot be read, so the picture has "
                        "no size")
                .arg(shown(nativePath(baseFigurePath(storedInstallFolder))));
        return rendered;
    }
    CanvasImage canvas;
    canvas.resize(png.ImageWidth(), png.ImageHeight());
    ReportingPicture reporting(png);
    DrawOutfit(state, storedInstallFolder, reporting, canvas);
    rendered.picture = canvas.image();
    rendered.failedLoads = reporting.failedLoads();
    return rendered;
}

} // namespace brindo
