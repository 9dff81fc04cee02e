#pragma once

#include <QRgb>
#include <array>
#include <cstddef>
#include <cstdint>

namespace brindo::png {

// Undoes a scanline's filter: `row` receives the unfiltered bytes of
// `filtered`, using the unfiltered row above (`prior`, all zero for the first
// row). Rows hold `length` bytes; a pixel is `bytesPerPixel` bytes (1 to 4).
// False for a filter type other than 0 to 4.
bool unfilterRow(int filterType, const std::uint8_t* filtered, const std::uint8_t* prior,
                 std::uint8_t* row, std::size_t length, int bytesPerPixel);

// The 8-bit sample layouts whose rows toPremultiplied converts.
enum class SampleLayout { Grey, Rgb, Palette, GreyAlpha, Rgba };

// How the samples of one picture become colours.
struct RowFormat {
    SampleLayout layout = SampleLayout::Rgba;
    // Palette pictures: the colours, premultiplied, and how many there are.
    std::array<QRgb, 256> palette{};
    int paletteSize = 0;
    // Grey and RGB pictures with a transparent colour: its samples.
    bool hasTransparentKey = false;
    std::array<std::uint8_t, 3> transparentKey{};
};

// The columns of a row that hold a pixel that is not fully transparent;
// first > last when there is none.
struct VisibleSpan {
    int first = 0;
    int last = -1;
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
// tells which columns are not fully transparent. False when a palette index
// lies outside the palette.
bool toPremultiplied(const RowFormat& format, const std::uint8_t* samples, int width, QRgb* out,
                     VisibleSpan& span);

} // namespace brindo::png
