#pragma once

#include "render/coverage.h"

#include <QByteArrayView>
#include <QImage>
#include <QRect>
#include <QtGlobal>
#include <optional>

namespace brindo {

// The eight bytes every PNG file starts with.
inline constexpr QByteArrayView kPngSignature{"\x89PNG\r\n\x1a\n"};

// The largest pictures decoded: up to 32767 pixels a side, which the painter
// still places exactly, and 16384 x 16384 pixels in all (2^28 pixels, 1 GiB
// as premultiplied ARGB32). While a picture is decoded its inflated rows are
// held as well: in the picture's own memory for 8-bit pictures that are not
// interlaced, beside it for the others (up to 2 GiB more for 16-bit RGBA).
constexpr quint32 kLargestPngSide = 32767;
constexpr quint64 kLargestPngSquare = 16384;
constexpr quint64 kMostPngPixels = kLargestPngSquare * kLargestPngSquare;

// Whether a picture of that size is within the limit above.
constexpr bool withinPngLimit(quint64 width, quint64 height) {
    return width <= kLargestPngSide && height <= kLargestPngSide &&
           width * height <= kMostPngPixels;
}

// zlib data cannot inflate to more than this many bytes for each of its
// bytes (deflate's longest copy, 258 bytes, takes at least two bits), so a
// file whose image data is far too short for its size is refused at once.
constexpr quint64 kMostInflatedPerByte = 1032;

// What the header chunk of a PNG file says.
struct PngHeader {
    quint32 width = 0;
    quint32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;

    // The bytes of filtered rows (every interlace pass) that the image data
    // inflates to; for pictures within the limit, where it cannot overflow.
    quint64 inflatedSize() const;
};

// Reads the signature and the header chunk that start a PNG file (its first
// 33 bytes; the checksum is not checked). std::nullopt when they are not
// those of a PNG file: a zero side or one of 2^31 or more, a bit depth that the colour type does
// not have, an unknown compression, filter or interlace method.
std::optional<PngHeader> readPngHeader(QByteArrayView start);

// A decoded picture in premultiplied ARGB32, with its coverage.
struct DecodedPicture {
    QImage image;
    Coverage coverage;
};

// Decodes PNG files of every colour type and bit depth, interlaced or not,
// within the limit above. Inflating uses libdeflate and the rows are
// converted as they are unfiltered, which is several times quicker than Qt's
// reader. The pixels are the same as Qt's for the kinds Qt reads right; 16-bit
// samples are reduced to 8 bits as round(v / 257) after premultiplying.
//
// Answers std::nullopt for a picture beyond the limit and for any file that
// is not entirely well formed (a checksum, chunk, length, sample or zlib
// stream out of order, a truncated file, a palette index past the palette):
// those are left to Qt's reader. A file whose image data is far too short
// for its size is refused before any memory is taken for its pixels.
std::optional<DecodedPicture> decodePngData(QByteArrayView file);

} // namespace brindo
