#pragma once

#include <QByteArray>
#include <QImage>

namespace brindo::test {

// PNG colour types.
enum class PngColour : int { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

struct PngKind {
    PngColour colour = PngColour::Rgba;
    int bitDepth = 8;
    bool interlaced = false;
    // For Grey, Rgb and Palette: mark fully transparent pixels with a tRNS chunk.
    bool transparencyChunk = false;
};

// Encodes an image as PNG of any colour type, bit depth and interlacing, so
// that tests can feed the decoder every kind of file real libraries hold.
// Colours are reduced to what the kind can hold (grey kinds use the red
// channel; palettes hold the image's distinct colours, at most 2^bitDepth).
QByteArray encodePng(const QImage& image, const PngKind& kind);

// One PNG chunk: length, type, data and checksum.
QByteArray pngChunk(const char* type, const QByteArray& data);

// A PNG of one colour in any size, small and quick to make even at thousands
// of pixels a side (a one-entry palette of 1 bit a pixel).
QByteArray encodeFlatPng(int width, int height, QRgb colour);

// A small picture with opaque, half-transparent and fully transparent areas.
QImage samplePicture(int width = 9, int height = 7);

// Largest difference of any channel between two images of the same size,
// compared as premultiplied ARGB; 256 when the sizes differ.
int maxChannelDifference(const QImage& a, const QImage& b);

} // namespace brindo::test
