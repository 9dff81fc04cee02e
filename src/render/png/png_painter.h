#pragma once

#include "render/png/png_loading.h"

#include <QImage>
#include <QString>

namespace brindo {

// Loads one PNG picture at a time and draws it with per-pixel alpha ("source
// over"). A failed load leaves no current image, so nothing is drawn until
// the next successful load. Never throws, whatever the file holds.
class PngPainter {
public:
    // Paths that no longer exist where stored are looked for again under the
    // library folder (see locateImage).
    explicit PngPainter(QString libraryFolder = {}) : libraryFolder_(std::move(libraryFolder)) {}

    // Makes the image at the stored path current.
    LoadResult load(const QString& path);
    int width() const { return current_.image.width(); }
    int height() const { return current_.image.height(); }
    // Draws the current image, with its transparency, at x, y.
    void drawOn(QImage* surface, int x, int y) const;

private:
    QString libraryFolder_;
    LoadedPicture current_;
};

} // namespace brindo
