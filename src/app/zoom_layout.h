#pragma once

#include <QRect>
#include <QSize>

namespace brindo {

// The window at zoom 1, in pixels: the client area, wide (variant list
// shown, and at start) or narrow, and the size of each list.
struct ClassicGeometry {
    int wideClientWidth = 0;
    int narrowClientWidth = 0;
    int clientHeight = 0;
    QSize listSize;
};

// Where the picture and the lists lie in the client area.
struct WindowLayout {
    QRect canvas;
    QRect categoryList;
    QRect itemList;
    QRect variantList;
    QSize client;

    bool operator==(const WindowLayout&) const = default;
};

// No screen needs a larger factor than this.
inline constexpr int kLargestZoom = 16;

// The layout at a whole zoom factor: the picture `zoom` times its size at the
// top left, the lists beside it at their own widths and as much taller as the
// picture grew, and the client area grown by the same amounts. Zoom 1 is the
// classic geometry.
WindowLayout windowLayout(const ClassicGeometry& classic, QSize picture, int zoom, bool wide);

// The largest zoom, from 1 to kLargestZoom, whose client area fits in
// `space`; 1 when none does.
int fittingZoom(const ClassicGeometry& classic, QSize picture, QSize space, bool wide);

} // namespace brindo
