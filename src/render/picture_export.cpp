#include "render/picture_export.h"

#include "files/atomic_replace.h"
#include "render/png/png_encode.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QObject>
#include <utility>

namespace brindo {

namespace {

// 96 dots an inch, the usual resolution of a picture made on screen. Fixed, so
// that the same outfit gives the same file whichever screen, if any, is used.
constexpr int kDotsPerMeter = 3780;

// Qt writes 32-bit opaque pixels as 24-bit rows, bottom row first. The
// picture is made opaque whatever its format, so that the file never depends
// on how the picture was held in memory.
QByteArray bmpFile(QImage picture) {
    picture.convertTo(QImage::Format_RGB32);
    picture.setDotsPerMeterX(kDotsPerMeter);
    picture.setDotsPerMeterY(kDotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    return writer.write(picture) ? bytes : QByteArray();
}

} // namespace

std::optional<PictureFormat> pictureFormatFor(const QString& fileName) {
    if (fileName.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) {
        return PictureFormat::Bmp;
    }
    if (fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        return PictureFormat::Png;
    }
    return std::nullopt;
}

QByteArray encodeBmp(const QImage& picture) {
    return picture.isNull() ? QByteArray() : bmpFile(picture);
}

QByteArray encodePng(const QImage& picture, const PictureTexts& texts) {
    QList<PngText> chunks;
    for (const auto& [key, text] :
         {std::pair{kOutfitTextKey, &texts.outfit}, std::pair{kCreditsTextKey, &texts.credits}}) {
        if (!text->isEmpty()) {
            chunks.append({QByteArray(key.data(), key.size()), *text});
        }
    }
    return encodePngFile(picture, chunks, kDotsPerMeter);
}

FileOutcome exportPicture(const QImage& picture, const QString& nativeFile, PictureFormat format,
                          const PictureTexts& texts) {
    const QByteArray bytes =
        format == PictureFormat::Bmp ? encodeBmp(picture) : encodePng(picture, texts);
    FileOutcome outcome = bytes.isEmpty()
                              ? FileOutcome{QObject::tr("there is no picture to export")}
                              : replaceFile(nativeFile, bytes);
    if (!outcome.ok()) {
        outcome.problem = QObject::tr("Could not export the picture to \"%1\": %2.")
                              .arg(QDir::toNativeSeparators(nativeFile), outcome.problem);
    }
    return outcome;
}

} // namespace brindo
