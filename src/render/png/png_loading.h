#pragma once

#include "render/coverage.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace brindo {

// What came of loading a layer image. TooLarge: a PNG picture larger than
// the program decodes (see withinPngLimit).
enum class LoadResult { Loaded, FileNotFound, NotDecodable, TooLarge };

// One picture as loaded from its file: premultiplied ARGB32, with where it
// holds something. A failed load has a null image; one that was too large
// tells the size its file gives.
struct LoadedPicture {
    LoadResult result = LoadResult::NotDecodable;
    QImage image;
    Coverage coverage;
    QSize tooLarge;
};

// "16384 x 16384 pixels, and at most 32767 a side": the limit of
// withinPngLimit, for messages.
QString pngLimitText();

// Reads and decodes the PNG file at a stored path, looked for as locateImage
// does. Never throws.
LoadedPicture loadPicture(const QString& storedPath, const QString& libraryFolder);

// Decodes the PNG file at a native path with decodePngData; files that it
// refuses as malformed are left to Qt's reader. Only a regular file is read:
// anything else (a named pipe, a socket, a device, a folder) is
// LoadResult::FileNotFound, without blocking. A null image when it cannot be
// decoded; LoadResult::TooLarge, without reading further, for a header beyond
// the limit.
LoadedPicture decodePngFile(const QString& nativeFile);

} // namespace brindo
