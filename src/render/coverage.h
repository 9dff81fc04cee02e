#pragma once

#include <QImage>
#include <QRect>
#include <vector>

namespace brindo {

// One row of a picture: the columns from its first to its last pixel that is
// not fully transparent (first > last when it has none), and whether every
// pixel between them is opaque.
struct RowSpan {
    int first = 0;
    int last = -1;
    bool solid = false;

    bool empty() const { return first > last; }
    bool operator==(const RowSpan&) const = default;
};

// Where a premultiplied picture holds something, so that drawing it touches
// only that: fully transparent pixels leave what lies below as it is, and
// fully opaque ones hide it.
struct Coverage {
    // Around every pixel that is not fully transparent; empty when none is.
    QRect visible;
    // The tallest band of rows that are opaque from edge to edge: whatever
    // lies below it, where the picture is drawn, is hidden. Empty when no row
    // is.
    QRect opaque;
    // One for each row of the picture.
    std::vector<RowSpan> rows;

    bool operator==(const Coverage&) const = default;
    // The visible part and the opaque band of a picture `width` pixels wide
    // with these rows.
    static Coverage fromRows(std::vector<RowSpan> rows, int width);
};

// The coverage of a premultiplied ARGB32 picture, found by looking at every
// pixel. The decoder notes it while it converts the rows instead.
Coverage coverageOf(const QImage& premultiplied);

} // namespace brindo
