#pragma once

#include "render/png/layer_painter.h"

#include <QImage>
#include <QRect>
#include <QString>

namespace brindo {

// One picture as loaded from its file: premultiplied ARGB32, with the part
// that holds pixels that are not fully transparent (all of it when that is
// not known). A failed load has a null image.
struct LoadedPicture {
    LoadResult result = LoadResult::NotDecodable;
    QImage image;
    QRect visible;
};

// Reads and decodes the PNG file at a stored path, looked for as locateImage
// does. Never throws.
LoadedPicture loadPicture(const QString& storedPath, const QString& libraryFolder);

// Decodes the PNG file at a native path: the common kinds quickly, every
// other file with Qt's reader. A null image when it cannot be decoded.
LoadedPicture decodePngFile(const QString& nativeFile);

} // namespace brindo
