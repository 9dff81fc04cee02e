#include "render/png_picture.h"

#include "catalogue/stored_path.h"

#include <QImageReader>
#include <QPainter>

#include <utility>

namespace brindo {

PNGPicture::PNGPicture(QString storedInstallFolder)
    : installFolder_(std::move(storedInstallFolder)) {}

QImage PNGPicture::decodePng(const QString& nativeFile) {
    QImageReader reader(nativeFile, "png");
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

int PNGPicture::LoadFile(const QString& path) {
    current_ = QImage();
    const QString file = locateImage(path, installFolder_);
    if (file.isEmpty()) {
        return kFileNotFound;
    }
    current_ = decodePng(file);
    return current_.isNull() ? kNotDecodable : kLoaded;
}

int PNGPicture::ImageWidth() const {
    return current_.width();
}

int PNGPicture::ImageHeight() const {
    return current_.height();
}

void PNGPicture::DrawTo(DeviceContext dc, int x, int y) {
    if (dc == nullptr || dc->isNull() || current_.isNull()) {
        return;
    }
    QPainter painter(dc);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(x, y, current_);
}

} // namespace brindo
