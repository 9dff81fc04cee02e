#pragma once

#include "render/canvas_image.h"

#include <QWidget>

namespace brindo {

// Shows the canvas's persistent image. Drawing goes into the image; the screen
// shows it when refresh is called (or when the window system asks for a repaint).
class CanvasView : public QWidget {
    Q_OBJECT

public:
    explicit CanvasView(QWidget* parent = nullptr);

    CanvasImage& canvas() { return canvas_; }
    const CanvasImage& canvas() const { return canvas_; }
    // Shows what the canvas holds now.
    void refresh();

signals:
    void refreshed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CanvasImage canvas_;
};

} // namespace brindo
