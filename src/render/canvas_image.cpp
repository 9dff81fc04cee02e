#include "render/canvas_image.h"

#include "render/png/pixel_memory.h"

#include <algorithm>

namespace brindo {

void CanvasImage::resize(int width, int height) {
    image_ = QImage();
    const qsizetype rowBytes = qsizetype{std::max(width, 0)} * 4;
    const qsizetype bytes = rowBytes * std::max(height, 0);
    void* pixels = bytes > 0 ? takePixelMemory(static_cast<std::size_t>(bytes)) : nullptr;
    if (pixels != nullptr) {
        image_ = QImage(static_cast<uchar*>(pixels), width, height, rowBytes, QImage::Format_RGB32,
                        givePixelMemoryBack, pixels);
    }
    if (image_.isNull()) {
        givePixelMemoryBack(pixels);
        image_ = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    }
    clear();
}

void CanvasImage::clear() {
    if (!image_.isNull()) {
        image_.fill(kBackground);
    }
}

} // namespace brindo
