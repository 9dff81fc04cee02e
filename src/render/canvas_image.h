#pragma once

#include <QColor>
#include <QImage>

namespace brindo {

// The canvas's persistent image: everything drawn since the last clear, on an
// opaque background. The same image is shown on screen and exported.
class CanvasImage {
public:
    static constexpr QRgb kBackground = 0xFFFFFFFF; // opaque white
    static constexpr QRgb kClear = 0x00000000;      // no canvas colour at all

    // An opaque fill makes an opaque canvas of that colour; kClear one that
    // keeps the layers' own transparency (premultiplied ARGB32).
    void resize(int width, int height, QRgb fill = kBackground);
    // Fills the whole canvas with its fill.
    void clear();
    // What layers are drawn onto.
    QImage* surface() { return &image_; }
    const QImage& image() const { return image_; }
    QRgb fill() const { return fill_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

private:
    QImage image_;
    QRgb fill_ = kBackground;
};

} // namespace brindo
