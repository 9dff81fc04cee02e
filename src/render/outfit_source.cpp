#include "render/outfit_source.h"

#include "document/outfit_document.h"
#include "files/regular_file.h"
#include "files/text_codec.h"
#include "render/picture_export.h"
#include "render/png/png_decode.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QObject>

namespace brindo {

namespace {

QString shown(const QString& nativeFile) {
    return QDir::toNativeSeparators(nativeFile);
}

// A regular file that starts as a PNG picture does, opened at its start; a
// named pipe or device is never opened here, so it cannot block.
std::unique_ptr<QFile> openPngFile(const QString& nativeFile) {
    OpenedFile opened = openRegularFile(nativeFile);
    if (opened.ok() && opened.file->read(kPngSignature.size()) == kPngSignature &&
        opened.file->seek(0)) {
        return std::move(opened.file);
    }
    return nullptr;
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

// `name` is already as messages show it.
OutfitSource readPngSource(QIODevice* device, const QString& name) {
    OutfitSource source;
    // The reader's own text() folds line breaks; the image keeps the text whole.
    QImageReader reader(device, "png");
    const QImage picture = reader.read();
    if (picture.isNull()) {
        source.problem = QObject::tr("Could not read the picture \"%1\": %2.")
                             .arg(name, reader.errorString().toLower());
        return source;
    }
    if (!picture.textKeys().contains(kOutfitTextKey)) {
        source.problem = QObject::tr("\"%1\" is a picture without an outfit in it.").arg(name);
        return source;
    }
    source.documentText = picture.text(kOutfitTextKey);
    source.outfit = outfitFromDocument(ProfileText(source.documentText.toUtf8()));
    return source;
}

} // namespace

OutfitSource readOutfitSource(const QString& nativeFile) {
    if (const std::unique_ptr<QFile> png = openPngFile(nativeFile)) {
        return readPngSource(png.get(), shown(nativeFile));
    }
    OutfitSource source;
    const LoadedProfile loaded = loadOutfitDocument(nativeFile);
    if (loaded.status == LoadedProfile::Status::Missing) {
        source.problem = QObject::tr("\"%1\" does not exist.").arg(shown(nativeFile));
    } else if (loaded.refused()) {
        source.problem = loaded.problem;
    } else {
        source.outfit = outfitFromDocument(loaded.text);
        source.documentText = documentText(loaded.text.bytes());
    }
    return source;
}

bool isPngFile(const QString& nativeFile) {
    return openPngFile(nativeFile) != nullptr;
}

OutfitSource readOutfitSource(const QByteArray& bytes, const QString& name) {
    if (bytes.startsWith(kPngSignature)) {
        QBuffer buffer;
        buffer.setData(bytes);
        return readPngSource(&buffer, name);
    }
    OutfitSource source;
    if (bytes.contains('\0')) {
        source.problem = QObject::tr("\"%1\" is not an outfit document: it holds binary data, "
                                     "not text.")
                             .arg(name);
    } else if (!ProfileText(bytes).hasSection(kOutfitSection)) {
        source.problem = noOutfitProblem(name);
    } else {
        source.outfit = outfitFromDocument(ProfileText(bytes));
        source.documentText = documentText(bytes);
    }
    return source;
}

} // namespace brindo
