#pragma once

#include <QString>
#include <QStringList>

class QImage;

namespace brindo {

// What came of loading a layer image. TooLarge: a PNG picture larger than
// the program decodes (see withinPngLimit).
enum class LoadResult { Loaded, FileNotFound, NotDecodable, TooLarge };

// Loads one layer image at a time and draws it onto a surface. The picture is
// composed through this interface so that tests can watch the exact calls.
class LayerPainter {
public:
    LayerPainter() = default;
    LayerPainter(const LayerPainter&) = delete;
    LayerPainter& operator=(const LayerPainter&) = delete;
    virtual ~LayerPainter() = default;

    // Makes the image at the stored path current. On failure there is no
    // current image.
    virtual LoadResult load(const QString& path) = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Draws the current image, with its transparency, at x, y.
    virtual void drawOn(QImage* surface, int x, int y) = 0;
    // Tells which files the next loads will be, in order, so that they can be
    // read ahead. A load of any other file ends the plan.
    virtual void expectLoads(const QStringList& /*paths*/) {}
};

} // namespace brindo
