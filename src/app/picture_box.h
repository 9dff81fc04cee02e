#pragma once

#include "render/canvas_image.h"

#include <QWidget>

namespace brindo {

// Shows the canvas's persistent image. Drawing goes into the image; the screen
// shows it when Refresh is called (or when the window system asks for a repaint).
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    CanvasImage& canvas() { return canvas_; }
    const CanvasImage& canvas() const { return canvas_; }
    void Refresh(); // NOLINT(readability-identifier-naming)

signals:
    void refreshed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CanvasImage canvas_;
};

} // namespace brindo
