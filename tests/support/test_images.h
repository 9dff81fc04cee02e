#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>

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
// channel; palettes hold the image's first 2^bitDepth distinct colours, and
// the pixels of any others take the first).
// The rows use every filter type in turn, the first row one that depends on
// the width.
QByteArray encodePng(const QImage& image, const PngKind& kind);

// Encodes samples as they are, for every kind but palette: `samples` holds
// each pixel's samples in turn (grey, or red, green, blue, then alpha), row
// by row, at the kind's bit depth. With kind.transparencyChunk, the tRNS
// chunk holds `transparent`: one grey or three RGB samples.
QByteArray encodePngSamples(QSize size, const PngKind& kind, const QList<quint32>& samples,
                            const QList<quint32>& transparent = {});

// One PNG chunk: length, type, data and checksum.
QByteArray pngChunk(const char* type, const QByteArray& data);

// A PNG of one colour in any size, small and quick to make even at thousands
// of pixels a side (a one-entry palette of 1 bit a pixel).
QByteArray encodeFlatPng(int width, int height, QRgb colour);

// A small picture with opaque, partly transparent and fully transparent
// pixels, in runs long and short.
QImage samplePicture(int width = 9, int height = 7);

} // namespace brindo::test
