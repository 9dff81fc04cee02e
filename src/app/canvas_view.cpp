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

void CanvasView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(CanvasImage::kBackground));
    painter.drawImage(0, 0, canvas_.image());
}

} // namespace brindo
