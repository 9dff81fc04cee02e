#include "icon.h"

#include "clothes.h"
#include "figure.h"
#include "hair.h"
#include "picture_jobs.h"

#include <QDir>
#include <QLinearGradient>
#include <stdexcept>

namespace brindo::sample {

namespace {

// The square of the canvas the icon shows, in design units: from above the
// hair down to the chest.
constexpr QRectF kView{3.0, -6.0, 104.0, 104.0};
constexpr double kMargin = 3.0;
constexpr double kCornerRadius = 18.0;
constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};
// Long hair and the green hoodie: a face framed clearly even at 16 pixels.
constexpr std::size_t kLongHair = 3;
constexpr std::size_t kHoodie = 2;

void drawTile(QPainter& painter, const QPainterPath& tile) {
    QLinearGradient sky(kView.topLeft(), kView.bottomLeft());
    sky.setColorAt(0.0, QColor(110, 180, 240));
    sky.setColorAt(1.0, QColor(206, 234, 252));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawPath(tile);
}

} // namespace

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kView.width(), size / kView.height());
    painter.translate(-kView.topLeft());

    QPainterPath tile;
    tile.addRoundedRect(kView.adjusted(kMargin, kMargin, -kMargin, -kMargin), kCornerRadius,
                        kCornerRadius);
    drawTile(painter, tile);
    painter.setClipPath(tile);
    const HairStyle hair = hairStyles().at(kLongHair);
    for (const Piece& layer :
         {hairBack(hair, defaultHairColour()), Piece(drawFigure), tops().at(kHoodie),
          Piece(drawFigureOverlay), hairFront(hair, defaultHairColour())}) {
        painter.save();
        layer(painter);
        painter.restore();
    }
    painter.setClipping(false);
    painter.setPen(outlinePen(2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tile);
    painter.end();
    return image;
}

void writeIcons(const QString& folder) {
    for (const int size : kSizes) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(apps)) {
            throw std::runtime_error("cannot create folder " + apps.toStdString());
        }
        savePicture(drawIcon(size), apps + QStringLiteral("/brindo.png"));
    }
}

} // namespace brindo::sample
