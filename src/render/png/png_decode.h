#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QRect>
#include <optional>

namespace brindo {

// The eight bytes every PNG file starts with.
inline constexpr QByteArrayView kPngSignature{"\x89PNG\r\n\x1a\n"};

// A decoded picture in premultiplied ARGB32, with the smallest rectangle that
// holds every pixel that is not fully transparent (empty when there is none).
struct DecodedPicture {
    QImage image;
    QRect visible;
};

// Decodes the PNG files that picture libraries are made of: 8 bits a sample,
// grey, RGB, palette, grey with alpha or RGBA, not interlaced. Inflating uses
// libdeflate and the rows are converted as they are unfiltered, which is
// several times quicker than Qt's reader; the pixels are the same as Qt's.
//
// Answers std::nullopt for every other file, and for any file that is not
// entirely well formed (a checksum, chunk, length or zlib stream out of
// order, a truncated file): those are left to Qt's reader, whose result for
// them stays the program's.
std::optional<DecodedPicture> decodeCommonPng(QByteArrayView file);

} // namespace brindo
