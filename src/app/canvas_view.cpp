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

void CanvasView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // The background only where the picture does not reach: filling under
    // an opaque picture of millions of pixels costs as much as drawing it.
    for (const QRect& uncovered : QRegion(rect()).subtracted(canvas_.image().rect())) {
        painter.fillRect(uncovered, QColor::fromRgb(CanvasImage::kBackground));
    }
    painter.drawImage(0, 0, canvas_.image());
}

} // namespace brindo
