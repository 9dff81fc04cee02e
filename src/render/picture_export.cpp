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

// The canvas is opaque; any other picture is made so, so that the file never
// depends on how the picture was held in memory.
QByteArray encode(QImage picture, const char* format, const QString* text = nullptr) {
    if (picture.isNull()) {
        return {};
    }
    picture.convertTo(QImage::Format_RGB32);
    picture.setDotsPerMeterX(kDotsPerMeter);
    picture.setDotsPerMeterY(kDotsPerMeter);
    if (text != nullptr) {
        picture.setText(kOutfitTextKey, *text);
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

QByteArray encodePng(const QImage& picture, const QString& documentText) {
    return encode(picture, "png", &documentText);
}

FileOutcome exportPicture(const QImage& picture, const QString& nativeFile, PictureFormat format,
                          const QString& documentText) {
    const QByteArray bytes =
        format == PictureFormat::Bmp ? encodeBmp(picture) : encodePng(picture, documentText);
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
