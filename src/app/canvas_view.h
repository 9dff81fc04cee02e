#pragma once

#include "render/canvas_image.h"

#include <QWidget>

namespace brindo {

// Shows the canvas's persistent image. Drawing goes into the image; the screen
// shows it when refresh is called (or when the window system asks for a repaint),
// enlarged by a whole factor without smoothing, so that pixel art stays crisp.
class CanvasView : public QWidget {
    Q_OBJECT

public:
    explicit CanvasView(QWidget* parent = nullptr);

    CanvasImage& canvas() { return canvas_; }
    const CanvasImage& canvas() const { return canvas_; }
    // Shows what the canvas holds now.
    void refresh();
    // Shows every pixel of the canvas as a square of zoom x zoom pixels.
    void setZoom(int zoom);
    int zoom() const { return zoom_; }

signals:
    void refreshed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CanvasImage canvas_;
    int zoom_ = 1;
};

} // namespace brindo
