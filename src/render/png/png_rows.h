#pragma once

#include <QRgb>
#include <array>
#include <cstddef>
#include <cstdint>

namespace brindo::png {

// Undoes a scanline's filter: `row` receives the unfiltered bytes of
// `filtered`, using the unfiltered row above (`prior`, all zero for the first
// row). Rows hold `length` bytes; a pixel is `bytesPerPixel` bytes (1 to 8;
// 1 for pixels of less than a byte).
// False for a filter type other than 0 to 4.
bool unfilterRow(int filterType, const std::uint8_t* filtered, const std::uint8_t* prior,
                 std::uint8_t* row, std::size_t length, int bytesPerPixel);

// Unfilters two consecutive rows at once where that is quicker (two Paeth
// rows of four-byte pixels, whose pixel-to-pixel chains then overlap): the
// first from `prior`, the second from the first. False, writing nothing,
// where it is not; then each row goes through unfilterRow.
bool unfilterTwoRows(int firstType, const std::uint8_t* first, int secondType,
                     const std::uint8_t* second, const std::uint8_t* prior, std::uint8_t* firstRow,
                     std::uint8_t* secondRow, std::size_t length, int bytesPerPixel);

// The sample layouts whose rows toPremultiplied converts.
enum class SampleLayout { Grey, Rgb, Palette, GreyAlpha, Rgba };

// How the samples of one picture become colours.
struct RowFormat {
    SampleLayout layout = SampleLayout::Rgba;
    int bitDepth = 8; // bits a sample: 1, 2, 4 or 8 (grey and palette), 8 or 16
    // Palette pictures: the colours, premultiplied, and how many there are.
    // Grey pictures of up to 8 bits keep their grey levels here too.
    std::array<QRgb, 256> palette{};
    int paletteSize = 0;
    // Grey and RGB pictures with a transparent colour: its samples at the
    // picture's bit depth (a grey one three times).
    bool hasTransparentKey = false;
    std::array<std::uint16_t, 3> transparentKey{};
};

// Fills the palette of a grey picture of up to 8 bits with its grey levels
// (a level of b bits scaled to 8 as level * 255 / (2^b - 1)), the transparent
// one cleared, so that its rows convert as palette rows do.
void setGreyLevels(RowFormat& format);

// The columns of a row that hold a pixel that is not fully transparent
// (first > last when there is none), and how many of its pixels are opaque.
struct VisibleSpan {
    int first = 0;
    int last = -1;
    int opaque = 0;
};

// Premultiplies a colour the way Qt does when it converts to premultiplied
// ARGB32, so that pictures come out bit for bit as Qt's own reader gives them.
constexpr QRgb premultiplied(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                             std::uint8_t alpha) {
    const auto scale = [alpha](std::uint32_t sample) {
        const std::uint32_t product = sample * alpha;
        return (product + (product >> 8U) + 0x80U) >> 8U;
    };
    return (std::uint32_t{alpha} << 24U) | (scale(red) << 16U) | (scale(green) << 8U) | scale(blue);
}

// Converts one unfiltered row of `width` pixels to premultiplied ARGB32 and
// tells which columns are not fully transparent and how many are opaque. False when a palette index
// lies outside the palette.
//
// 16-bit samples are premultiplied at 16 bits and then reduced to 8 as
// round(v / 257), as Qt converts its 64-bit images; a transparent colour is
// compared at 16 bits.
bool toPremultiplied(const RowFormat& format, const std::uint8_t* samples, int width, QRgb* out,
                     VisibleSpan& span);

} // namespace brindo::png
