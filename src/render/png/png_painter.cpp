#include "render/png/png_painter.h"

#include "render/blend.h"

namespace brindo {

LoadResult PngPainter::load(const QString& path) {
    current_ = {};
    current_ = loadPicture(path, libraryFolder_);
    return current_.result;
}

void PngPainter::drawOn(QImage* surface, int x, int y) const {
    if (surface != nullptr && current_.result == LoadResult::Loaded) {
        blendPicture(*surface, current_.image, current_.coverage, {x, y}, 0, surface->height());
    }
}

} // namespace brindo
