#include "render/canvas_image.h"

#include <algorithm>

namespace brindo {

void CanvasImage::resize(int width, int height) {
    image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    Cls();
}

void CanvasImage::Cls() {
    if (!image_.isNull()) {
        image_.fill(kBackground);
    }
}

} // namespace brindo
