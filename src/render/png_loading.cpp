#include "render/png_loading.h"

#include "catalogue/stored_path.h"
#include "render/png_decode.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <exception>

namespace brindo {

namespace {

QImage decodeWithQt(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAutoTransform(false);
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        return {};
    }
    if (image.format() != QImage::Format_ARGB32_Premultiplied) {
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    return image;
}

} // namespace

LoadedPicture decodePngFile(const QString& nativeFile) {
    try {
        QFile file(nativeFile);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        const QByteArray bytes = file.readAll();
        file.close();
        if (auto decoded = decodeCommonPng(bytes)) {
            return {kLoaded, std::move(decoded->image), decoded->visible};
        }
        QImage image = decodeWithQt(bytes);
        if (image.isNull()) {
            return {};
        }
        const QRect whole = image.rect();
        return {kLoaded, std::move(image), whole};
    } catch (const std::exception&) {
        return {}; // out of memory for this picture
    }
}

LoadedPicture loadPicture(const QString& storedPath, const QString& storedInstallFolder) {
    const QString file = locateImage(storedPath, storedInstallFolder);
    if (file.isEmpty()) {
        return {kFileNotFound, {}, {}};
    }
    return decodePngFile(file);
}

} // namespace brindo
