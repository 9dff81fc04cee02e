#pragma once

#include <QString>
#include <QStringList>

class QImage;

namespace brindo {

// The surface that drawing goes to: the canvas's persistent image.
using DeviceContext = QImage*;

// Loads one image at a time and composites it onto a surface. The compositor
// talks to this interface so that tests can watch the exact calls it makes.
class PictureComponent {
public:
    PictureComponent() = default;
    PictureComponent(const PictureComponent&) = delete;
    PictureComponent& operator=(const PictureComponent&) = delete;
    virtual ~PictureComponent() = default;

    // Makes the image at the stored path current; 0 on success. On failure
    // there is no current image.
    virtual int LoadFile(const QString& path) = 0; // NOLINT(readability-identifier-naming)
    virtual int ImageWidth() const = 0;            // NOLINT(readability-identifier-naming)
    virtual int ImageHeight() const = 0;           // NOLINT(readability-identifier-naming)
    // Composites the current image, with its transparency, at x, y.
    virtual void DrawTo(DeviceContext dc, int x,
                        int y) = 0; // NOLINT(readability-identifier-naming)
    // Tells the component which files the next loads will be, in order, so
    // that it can read ahead. A load of any other file ends the plan.
    virtual void expectLoads(const QStringList& /*paths*/) {}
};

} // namespace brindo
