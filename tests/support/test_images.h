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
    // The filter type of every row; -1: every type in turn.
    int filter = -1;
};

// Encodes an image as a PNG file of any kind, its rows filtered with every
// filter type in turn (or with kind.filter). Grey kinds take the red channel; a palette holds the
// first 2^bitDepth distinct colours, and other pixels take the first.
QByteArray encodePng(const QImage& image, const PngKind& kind);

// Encodes samples as they are, for every kind but palette: each pixel's grey,
// or red, green, blue, then alpha, row by row. With kind.transparencyChunk the
// tRNS chunk holds `transparent`: one grey or three RGB samples.
QByteArray encodePngSamples(QSize size, const PngKind& kind, const QList<quint32>& samples,
                            const QList<quint32>& transparent = {});

// One chunk with its length and checksum; the signature and IHDR chunk; one
// IDAT chunk of the raw rows, compressed.
QByteArray pngChunk(const char* type, const QByteArray& data);
QByteArray pngHeader(QSize size, const PngKind& kind);
QByteArray pngImageData(const QByteArray& rows);

// A PNG of one colour, small and quick to make at thousands of pixels a side.
QByteArray encodeFlatPng(int width, int height, QRgb colour);

// A small picture with opaque, partly transparent and clear pixels in runs.
QImage samplePicture(int width = 9, int height = 7);

} // namespace brindo::test
