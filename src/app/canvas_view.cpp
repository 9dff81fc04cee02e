#include "app/canvas_view.h"

#include <QPainter>

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
    painter.fillRect(rect(), QColor::fromRgb(CanvasImage::kBackground));
    const QImage& image = canvas_.image();
    // Without smooth transformation the painter repeats pixels, also for the
    // screen's device pixel ratio.
    painter.drawImage(QRect(QPoint(0, 0), image.size() * zoom_), image);
}

} // namespace brindo
