#include "render/coverage.h"

#include <algorithm>
#include <limits>

namespace brindo {

Coverage Coverage::fromRows(std::vector<RowSpan> rows, int width) {
    Coverage coverage;
    int left = std::numeric_limits<int>::max();
    int right = -1;
    int top = -1;
    int bottom = -1;
    int bandTop = 0;
    int bandRows = 0;
    int run = 0;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        RowSpan& span = rows[static_cast<std::size_t>(y)];
        if (span.empty()) {
            span = {}; // one way to say so, whoever found it
        } else {
            left = std::min(left, span.first);
            right = std::max(right, span.last);
            top = top < 0 ? y : top;
            bottom = y;
        }
        const bool edgeToEdge = span.solid && span.first == 0 && span.last == width - 1;
        run = edgeToEdge ? run + 1 : 0;
        if (run > bandRows) {
            bandRows = run;
            bandTop = y + 1 - run;
        }
    }
    if (bottom >= 0) {
        coverage.visible = QRect(QPoint(left, top), QPoint(right, bottom));
    }
    if (bandRows > 0) {
        coverage.opaque = QRect(0, bandTop, width, bandRows);
    }
    coverage.rows = std::move(rows);
    return coverage;
}

Coverage coverageOf(const QImage& premultiplied) {
    std::vector<RowSpan> rows(static_cast<std::size_t>(std::max(premultiplied.height(), 0)));
    const int width = premultiplied.width();
    for (int y = 0; y < premultiplied.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        RowSpan& span = rows[static_cast<std::size_t>(y)];
        span.first = width;
        int opaque = 0;
        for (int x = 0; x < width; ++x) {
            const int alpha = qAlpha(pixels[x]);
            if (alpha != 0) {
                span.first = std::min(span.first, x);
                span.last = x;
                opaque += alpha == 255 ? 1 : 0;
            }
        }
        span.solid = !span.empty() && opaque == span.last - span.first + 1;
    }
    return Coverage::fromRows(std::move(rows), width);
}

} // namespace brindo
