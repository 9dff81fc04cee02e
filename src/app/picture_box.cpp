#include "app/picture_box.h"

#include <QPainter>

namespace brindo {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Refresh() {
    repaint();
    emit refreshed();
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(CanvasImage::kBackground));
    painter.drawImage(0, 0, canvas_.image());
}

} // namespace brindo
