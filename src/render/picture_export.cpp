#include "render/picture_export.h"

#include "files/atomic_replace.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QObject>

namespace brindo {

namespace {

// 96 dots an inch, the usual resolution of a picture made on screen. Fixed, so
// that the same outfit gives the same file whichever screen, if any, is used.
constexpr int kDotsPerMeter = 3780;

// An opaque picture is written as RGB32 whatever its format in memory, so
// that the file never depends on how the picture was held; a PNG of a
// picture with an alpha channel keeps it.
QByteArray encode(QImage picture, const char* format, const PictureTexts* texts = nullptr) {
    if (picture.isNull()) {
        return {};
    }
    const bool keepAlpha = texts != nullptr && picture.hasAlphaChannel();
    picture.convertTo(keepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    picture.setDotsPerMeterX(kDotsPerMeter);
    picture.setDotsPerMeterY(kDotsPerMeter);
    if (texts != nullptr && !texts->outfit.isEmpty()) {
        picture.setText(kOutfitTextKey, texts->outfit);
    }
    if (texts != nullptr && !texts->credits.isEmpty()) {
        picture.setText(kCreditsTextKey, texts->credits);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture)) {
        return {};
    }
    return bytes;
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
    // Qt writes 32-bit opaque pixels as 24-bit rows, bottom row first.
    return encode(picture, "bmp");
}

QByteArray encodePng(const QImage& picture, const PictureTexts& texts) {
    return encode(picture, "png", &texts);
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
