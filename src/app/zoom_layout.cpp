#include "app/zoom_layout.h"

namespace brindo {

WindowLayout windowLayout(const ClassicGeometry& classic, QSize picture, int zoom, bool wide) {
    const int grownWidth = (zoom - 1) * picture.width();
    const int grownHeight = (zoom - 1) * picture.height();
    const QSize list(classic.listSize.width(), classic.listSize.height() + grownHeight);
    WindowLayout layout;
    layout.canvas = QRect(QPoint(0, 0), picture * zoom);
    layout.categoryList = QRect(QPoint(layout.canvas.width(), 0), list);
    layout.itemList = QRect(QPoint(layout.categoryList.right() + 1, 0), list);
    layout.variantList = QRect(QPoint(layout.itemList.right() + 1, 0), list);
    const int classicWidth = wide ? classic.wideClientWidth : classic.narrowClientWidth;
    layout.client = QSize(classicWidth + grownWidth, classic.clientHeight + grownHeight);
    return layout;
}

int fittingZoom(const ClassicGeometry& classic, QSize picture, QSize space, bool wide) {
    if (picture.isEmpty()) {
        return 1;
    }
    for (int zoom = kLargestZoom; zoom > 1; --zoom) {
        const QSize client = windowLayout(classic, picture, zoom, wide).client;
        if (client.width() <= space.width() && client.height() <= space.height()) {
            return zoom;
        }
    }
    return 1;
}

} // namespace brindo
