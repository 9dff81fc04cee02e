#pragma once

#include <QColor>
#include <QImage>

namespace brindo {

// The canvas's persistent image: everything drawn since the last clear, on an
// opaque background. The same image is shown on screen and exported.
class CanvasImage {
public:
    static constexpr QRgb kBackground = 0xFFFFFFFF; // opaque white

    void resize(int width, int height);
    // Fills the whole canvas with the background.
    void clear();
    // What layers are drawn onto.
    QImage* surface() { return &image_; }
    const QImage& image() const { return image_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

private:
    QImage image_;
};

} // namespace brindo
