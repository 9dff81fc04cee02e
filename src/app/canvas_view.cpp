#include "app/canvas_view.h"

#include <QPainter>
#include <QRegion>

namespace brindo {

CanvasView::CanvasView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasView::refresh() {
    repaint();
    emit refreshed();
}

void CanvasView::setZoom(int zoom) {
    if (zoom != zoom_) {
        zoom_ = zoom;
        update();
    }
}

void CanvasView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QImage& image = canvas_.image();
    const QRect picture(QPoint(0, 0), image.size() * zoom_);
    // The background only where the picture does not reach: filling under
    // an opaque picture of millions of pixels costs as much as drawing it.
    for (const QRect& uncovered : QRegion(rect()).subtracted(picture)) {
        painter.fillRect(uncovered, QColor::fromRgb(CanvasImage::kBackground));
    }
    // Without smooth transformation the painter repeats pixels, also for the
    // screen's device pixel ratio.
    painter.drawImage(picture, image);
}

} // namespace brindo
