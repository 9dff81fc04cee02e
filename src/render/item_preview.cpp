#include "render/item_preview.h"

#include "render/png/png_loading.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace brindo {

namespace {

// Draws `picture` onto `composed`, which grows to hold it.
void composeOnto(QImage& composed, const LoadedPicture& picture) {
    const QSize size = composed.size().expandedTo(picture.image.size());
    if (composed.size() != size) {
        QImage larger(size, QImage::Format_ARGB32_Premultiplied);
        larger.fill(Qt::transparent);
        if (!composed.isNull()) {
            QPainter(&larger).drawImage(0, 0, composed);
        }
        composed = std::move(larger);
    }
    QPainter painter(&composed);
    painter.drawImage(picture.coverage.visible.topLeft(), picture.image, picture.coverage.visible);
}

QImage fitted(const QImage& crop, int side) {
    const double factor = std::min(static_cast<double>(side) / crop.width(),
                                   static_cast<double>(side) / crop.height());
    if (factor >= 1.0) {
        const int whole = static_cast<int>(std::floor(factor));
        return crop.scaled(crop.size() * whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return crop.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QImage itemPreview(const QStringList& images, const QString& libraryFolder, int side,
                   QRgb canvasColour) {
    QImage composed;
    QRect drawn;
    for (const QString& path : images) {
        const LoadedPicture picture = loadPicture(path, libraryFolder);
        if (picture.result == LoadResult::Loaded && !picture.coverage.visible.isEmpty()) {
            composeOnto(composed, picture);
            drawn |= picture.coverage.visible;
        }
    }
    QImage preview(side, side, QImage::Format_ARGB32_Premultiplied);
    preview.fill(canvasColour);
    // Composed "source over", a pixel shows where any of its layers does.
    if (drawn.isEmpty() || side <= 0) {
        return preview;
    }
    const QImage scaled = fitted(composed.copy(drawn), side);
    QPainter(&preview).drawImage((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    return preview;
}

} // namespace brindo
