#include "render/canvas_image.h"

#include "render/png/pixel_memory.h"

#include <algorithm>

namespace brindo {

void CanvasImage::resize(int width, int height, QRgb fill) {
    image_ = QImage();
    fill_ = fill;
    const QImage::Format format =
        qAlpha(fill) == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    const qsizetype rowBytes = qsizetype{std::max(width, 0)} * 4;
    const qsizetype bytes = rowBytes * std::max(height, 0);
    void* pixels = bytes > 0 ? takePixelMemory(static_cast<std::size_t>(bytes)) : nullptr;
    if (pixels != nullptr) {
        image_ = QImage(static_cast<uchar*>(pixels), width, height, rowBytes, format,
                        givePixelMemoryBack, pixels);
    }
    if (image_.isNull()) {
        givePixelMemoryBack(pixels);
        image_ = QImage(std::max(width, 0), std::max(height, 0), format);
    }
    clear();
}

void CanvasImage::clear() {
    if (!image_.isNull()) {
        image_.fill(fill_);
    }
}

} // namespace brindo
