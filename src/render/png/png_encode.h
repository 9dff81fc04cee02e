#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace brindo {

// A text chunk of a PNG file: its keyword (1 to 79 Latin-1 letters) and text.
struct PngText {
    QByteArray keyword;
    QString text;
};

// Encodes a picture as an 8-bit PNG file: RGB for an opaque picture, RGBA
// (straight alpha) for one with an alpha channel. Each row takes the filter
// whose bytes sum smallest as signed values, as libpng chooses, and the image
// data is compressed with libdeflate, several times quicker than zlib for
// the same size. The texts go in compressed international text chunks
// (UTF-8); `dotsPerMeter` in the physical size chunk when above 0. An empty
// byte array for a null picture or one the encoder cannot take.
QByteArray encodePngFile(const QImage& picture, const QList<PngText>& texts, int dotsPerMeter);

} // namespace brindo
