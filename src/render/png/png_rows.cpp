#include "render/png/png_rows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace brindo::png {

namespace {

// The row filter types.
constexpr int kNone = 0;
constexpr int kSub = 1;
constexpr int kUp = 2;
constexpr int kAverage = 3;
constexpr int kPaeth = 4;

std::uint8_t paethPredictor(int left, int above, int aboveLeft) {
    const int distanceLeft = std::abs(above - aboveLeft);
    const int distanceAbove = std::abs(left - aboveLeft);
    const int distanceAboveLeft = std::abs(left + above - 2 * aboveLeft);
    if (distanceLeft <= distanceAbove && distanceLeft <= distanceAboveLeft) {
        return static_cast<std::uint8_t>(left);
    }
    return static_cast<std::uint8_t>(distanceAbove <= distanceAboveLeft ? above : aboveLeft);
}

// Any pixel size, one byte at a time.
void unfilterBytes(int filterType, const std::uint8_t* in, const std::uint8_t* prior,
                   std::uint8_t* row, std::size_t length, std::size_t bpp) {
    for (std::size_t i = 0; i < length; ++i) {
        const int left = i >= bpp ? row[i - bpp] : 0;
        const int aboveLeft = i >= bpp ? prior[i - bpp] : 0;
        int predicted = 0;
        switch (filterType) {
        case kSub:
            predicted = left;
            break;
        case kAverage:
            predicted = (left + prior[i]) / 2;
            break;
        default:
            predicted = paethPredictor(left, prior[i], aboveLeft);
            break;
        }
        row[i] = static_cast<std::uint8_t>(in[i] + predicted);
    }
}

void unfilterUp(const std::uint8_t* in, const std::uint8_t* prior, std::uint8_t* row,
                std::size_t length) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= length; i += 16) {
        const __m128i sum =
            _mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(prior + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), sum);
    }
#endif
    for (; i < length; ++i) {
        row[i] = static_cast<std::uint8_t>(in[i] + prior[i]);
    }
}

#if defined(__SSE2__)

// Four-byte pixels (RGBA): one pixel per step, its channels side by side.
__m128i loadPixel(const std::uint8_t* at) {
    std::int32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return _mm_cvtsi32_si128(value);
}

void storePixel(std::uint8_t* at, __m128i pixel) {
    const std::int32_t value = _mm_cvtsi128_si32(pixel);
    std::memcpy(at, &value, sizeof value);
}

#if defined(__x86_64__)
#define BRINDO_PAETH_SSE41 1
// Paeth keeps the pixels in 16-bit lanes, one pixel a step. Only the
// distances that involve the pixel to the left wait for the previous step;
// SSE4.1's blend and SSSE3's absolute value keep that chain short.
__attribute__((target("sse4.1"), always_inline)) inline __m128i
paethPixel(__m128i left, __m128i above, __m128i aboveLeft, const std::uint8_t* in) {
    const __m128i filtered = _mm_cvtepu8_epi16(loadPixel(in));
    const __m128i fromAbove = _mm_sub_epi16(above, aboveLeft);
    const __m128i distanceLeft = _mm_abs_epi16(fromAbove);
    const __m128i fromLeft = _mm_sub_epi16(left, aboveLeft);
    const __m128i distanceAbove = _mm_abs_epi16(fromLeft);
    const __m128i distanceAboveLeft = _mm_abs_epi16(_mm_add_epi16(fromAbove, fromLeft));
    const __m128i nearerOfTwo =
        _mm_blendv_epi8(above, aboveLeft, _mm_cmpgt_epi16(distanceAbove, distanceAboveLeft));
    const __m128i nearestOfTwo = _mm_min_epi16(distanceAbove, distanceAboveLeft);
    const __m128i predicted =
        _mm_blendv_epi8(left, nearerOfTwo, _mm_cmpgt_epi16(distanceLeft, nearestOfTwo));
    return _mm_and_si128(_mm_add_epi16(predicted, filtered), _mm_set1_epi16(0xFF));
}

__attribute__((target("sse4.1"))) void unfilterPaeth(const std::uint8_t* in,
                                                     const std::uint8_t* prior, std::uint8_t* row,
                                                     std::size_t length) {
    const __m128i zero = _mm_setzero_si128();
    __m128i left = zero;
    __m128i aboveLeft = zero;
    for (std::size_t i = 0; i + 4 <= length; i += 4) {
        const __m128i above = _mm_cvtepu8_epi16(loadPixel(prior + i));
        left = paethPixel(left, above, aboveLeft, in + i);
        aboveLeft = above;
        storePixel(row + i, _mm_packus_epi16(left, zero));
    }
}

// Two Paeth rows at once: the second runs a pixel behind the first, whose
// pixels it takes as the row above, so that the two serial chains overlap.
__attribute__((target("sse4.1"))) void unfilterPaethPair(const std::uint8_t* firstIn,
                                                         const std::uint8_t* secondIn,
                                                         const std::uint8_t* prior,
                                                         std::uint8_t* first, std::uint8_t* second,
                                                         std::size_t length) {
    const __m128i zero = _mm_setzero_si128();
    __m128i firstLeft = zero;       // the first row's pixel before this one
    __m128i firstAboveLeft = zero;  // the prior row's pixel before this one
    __m128i secondLeft = zero;      // the second row's pixel two before this one
    __m128i secondAboveLeft = zero; // the first row's pixel two before this one
    for (std::size_t i = 0; i + 4 <= length; i += 4) {
        const __m128i above = _mm_cvtepu8_epi16(loadPixel(prior + i));
        const __m128i pixel = paethPixel(firstLeft, above, firstAboveLeft, firstIn + i);
        storePixel(first + i, _mm_packus_epi16(pixel, zero));
        if (i >= 4) {
            secondLeft = paethPixel(secondLeft, firstLeft, secondAboveLeft, secondIn + i - 4);
            storePixel(second + i - 4, _mm_packus_epi16(secondLeft, zero));
        }
        secondAboveLeft = firstLeft;
        firstAboveLeft = above;
        firstLeft = pixel;
    }
    if (length >= 4) {
        const std::size_t last = length / 4 * 4 - 4;
        secondLeft = paethPixel(secondLeft, firstLeft, secondAboveLeft, secondIn + last);
        storePixel(second + last, _mm_packus_epi16(secondLeft, zero));
    }
}

bool hasSse41() {
    static const bool kAvailable = __builtin_cpu_supports("sse4.1") != 0;
    return kAvailable;
}
#else
#define BRINDO_PAETH_SSE41 0
#endif

void unfilterPixels(int filterType, const std::uint8_t* in, const std::uint8_t* prior,
                    std::uint8_t* row, std::size_t length) {
    if (filterType == kPaeth) {
#if BRINDO_PAETH_SSE41
        if (hasSse41()) {
            unfilterPaeth(in, prior, row, length);
            return;
        }
#endif
        unfilterBytes(filterType, in, prior, row, length, 4);
        return;
    }
    __m128i left = _mm_setzero_si128();
    for (std::size_t i = 0; i + 4 <= length; i += 4) {
        const __m128i filtered = loadPixel(in + i);
        if (filterType == kSub) {
            left = _mm_add_epi8(left, filtered);
        } else {
            const __m128i above = loadPixel(prior + i);
            // _mm_avg_epu8 rounds up; the filter rounds down.
            const __m128i roundedUp = _mm_avg_epu8(left, above);
            const __m128i odd = _mm_and_si128(_mm_xor_si128(left, above), _mm_set1_epi8(1));
            left = _mm_add_epi8(_mm_sub_epi8(roundedUp, odd), filtered);
        }
        storePixel(row + i, left);
    }
}

#endif

} // namespace

bool unfilterRow(int filterType, const std::uint8_t* filtered, const std::uint8_t* prior,
                 std::uint8_t* row, std::size_t length, int bytesPerPixel) {
    switch (filterType) {
    case kNone:
        std::memcpy(row, filtered, length);
        return true;
    case kUp:
        unfilterUp(filtered, prior, row, length);
        return true;
    case kSub:
    case kAverage:
    case kPaeth:
#if defined(__SSE2__)
        if (bytesPerPixel == 4) {
            unfilterPixels(filterType, filtered, prior, row, length);
            return true;
        }
#endif
        unfilterBytes(filterType, filtered, prior, row, length,
                      static_cast<std::size_t>(bytesPerPixel));
        return true;
    default:
        return false;
    }
}

#if BRINDO_PAETH_SSE41
bool unfilterTwoRows(int firstType, const std::uint8_t* first, int secondType,
                     const std::uint8_t* second, const std::uint8_t* prior, std::uint8_t* firstRow,
                     std::uint8_t* secondRow, std::size_t length, int bytesPerPixel) {
    if (firstType != kPaeth || secondType != kPaeth || bytesPerPixel != 4 || !hasSse41()) {
        return false;
    }
    unfilterPaethPair(first, second, prior, firstRow, secondRow, length);
    return true;
}
#else
bool unfilterTwoRows(int /*firstType*/, const std::uint8_t* /*first*/, int /*secondType*/,
                     const std::uint8_t* /*second*/, const std::uint8_t* /*prior*/,
                     std::uint8_t* /*firstRow*/, std::uint8_t* /*secondRow*/,
                     std::size_t /*length*/, int /*bytesPerPixel*/) {
    return false;
}
#endif

namespace {

void noteVisible(VisibleSpan& span, int x, QRgb pixel) {
    const int alpha = qAlpha(pixel);
    if (alpha != 0) {
        span.first = std::min(span.first, x);
        span.last = std::max(span.last, x);
        span.opaque += alpha == 255 ? 1 : 0;
    }
}

QRgb rgbaPixel(const std::uint8_t* samples) {
    return premultiplied(samples[0], samples[1], samples[2], samples[3]);
}

// How many of four bits are set (without the POPCNT instruction, which
// x86-64 does not promise).
constexpr std::array<int, 16> kBitsSet{0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

// RGBA rows, the common case: four pixels a step, skipping the arithmetic
// for runs of fully transparent or fully opaque pixels.
void rgbaRow(const std::uint8_t* samples, int width, QRgb* out, VisibleSpan& span) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000U));
    const __m128i greenAlpha = _mm_set1_epi32(static_cast<int>(0xFF00FF00U));
    const __m128i lowByte = _mm_set1_epi32(0xFF);
    const __m128i alphaLane = _mm_set_epi16(255, 0, 0, 0, 255, 0, 0, 0);
    const __m128i colourLanes = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    const __m128i half = _mm_set1_epi16(0x80);
    // Two pixels in 16-bit lanes, red and blue swapped, premultiplied.
    const auto premultiply = [&](__m128i pixels) {
        pixels = _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels, _MM_SHUFFLE(3, 0, 1, 2)),
                                     _MM_SHUFFLE(3, 0, 1, 2));
        __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels, _MM_SHUFFLE(3, 3, 3, 3)),
                                            _MM_SHUFFLE(3, 3, 3, 3));
        alpha = _mm_or_si128(_mm_and_si128(alpha, colourLanes), alphaLane);
        __m128i product = _mm_mullo_epi16(pixels, alpha);
        product = _mm_add_epi16(_mm_add_epi16(product, _mm_srli_epi16(product, 8)), half);
        return _mm_srli_epi16(product, 8);
    };
    for (; x + 4 <= width; x += 4) {
        const __m128i pixels =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + std::ptrdiff_t{4} * x));
        const __m128i alpha = _mm_and_si128(pixels, alphaMask);
        const int clear = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(alpha, zero)));
        auto* target = reinterpret_cast<__m128i*>(out + x);
        if (clear == 0xF) {
            _mm_storeu_si128(target, zero);
            continue;
        }
        const int visible = ~clear & 0xF;
        span.first = std::min(span.first, x + __builtin_ctz(static_cast<unsigned>(visible)));
        span.last = std::max(span.last, x + 31 - __builtin_clz(static_cast<unsigned>(visible)));
        const int opaque = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(alpha, alphaMask)));
        span.opaque += kBitsSet[opaque];
        if (opaque == 0xF) {
            const __m128i swapped =
                _mm_or_si128(_mm_and_si128(pixels, greenAlpha),
                             _mm_or_si128(_mm_and_si128(_mm_srli_epi32(pixels, 16), lowByte),
                                          _mm_slli_epi32(_mm_and_si128(pixels, lowByte), 16)));
            _mm_storeu_si128(target, swapped);
            continue;
        }
        _mm_storeu_si128(target, _mm_packus_epi16(premultiply(_mm_unpacklo_epi8(pixels, zero)),
                                                  premultiply(_mm_unpackhi_epi8(pixels, zero))));
    }
#endif
    for (; x < width; ++x) {
        out[x] = rgbaPixel(samples + std::ptrdiff_t{4} * x);
        noteVisible(span, x, out[x]);
    }
}

bool isTransparentKey(const RowFormat& format, std::uint32_t red, std::uint32_t green,
                      std::uint32_t blue) {
    return format.hasTransparentKey && red == format.transparentKey[0] &&
           green == format.transparentKey[1] && blue == format.transparentKey[2];
}

// Grey and palette rows of 1 to 8 bits a pixel, looked up in the palette.
bool indexedRow(const RowFormat& format, const std::uint8_t* samples, int width, QRgb* out,
                VisibleSpan& span) {
    const auto depth = static_cast<unsigned>(format.bitDepth);
    const unsigned mask = (1U << depth) - 1U;
    for (int x = 0; x < width; ++x) {
        const unsigned bit = static_cast<unsigned>(x) * depth;
        const unsigned index = (samples[bit / 8] >> (8U - depth - bit % 8)) & mask;
        if (index >= static_cast<unsigned>(format.paletteSize)) {
            return false;
        }
        out[x] = format.palette.at(index);
        noteVisible(span, x, out[x]);
    }
    return true;
}

// 8-bit RGB and grey with alpha.
void byteRow(const RowFormat& format, const std::uint8_t* samples, int width, QRgb* out,
             VisibleSpan& span) {
    for (int x = 0; x < width; ++x) {
        QRgb pixel = 0;
        if (format.layout == SampleLayout::GreyAlpha) {
            const std::uint8_t* greyAlpha = samples + std::ptrdiff_t{2} * x;
            pixel = premultiplied(greyAlpha[0], greyAlpha[0], greyAlpha[0], greyAlpha[1]);
        } else {
            const std::uint8_t* rgb = samples + std::ptrdiff_t{3} * x;
            pixel = isTransparentKey(format, rgb[0], rgb[1], rgb[2])
                        ? 0
                        : premultiplied(rgb[0], rgb[1], rgb[2], 0xFF);
        }
        out[x] = pixel;
        noteVisible(span, x, pixel);
    }
}

// Qt's premultiplication of 64-bit colours, then each sample rounded to 8 bits.
QRgb premultipliedWide(std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                       std::uint32_t alpha) {
    const auto scale = [alpha](std::uint32_t sample) {
        const std::uint32_t product = sample * alpha;
        return (product + (product >> 16U) + 0x8000U) >> 16U;
    };
    const auto narrow = [](std::uint32_t sample) { // round(sample / 257)
        return (sample + 0x80U - ((sample + 0x80U) >> 8U)) >> 8U;
    };
    return (narrow(alpha) << 24U) | (narrow(scale(red)) << 16U) | (narrow(scale(green)) << 8U) |
           narrow(scale(blue));
}

// Rows of 16-bit samples, of any layout but palette.
void wideRow(const RowFormat& format, const std::uint8_t* samples, int width, QRgb* out,
             VisibleSpan& span) {
    const auto sample = [samples](std::ptrdiff_t index) {
        return (std::uint32_t{samples[2 * index]} << 8U) | samples[2 * index + 1];
    };
    for (int x = 0; x < width; ++x) {
        std::uint32_t red = 0;
        std::uint32_t green = 0;
        std::uint32_t blue = 0;
        std::uint32_t alpha = 0xFFFF;
        switch (format.layout) {
        case SampleLayout::Grey:
            red = green = blue = sample(x);
            break;
        case SampleLayout::GreyAlpha:
            red = green = blue = sample(std::ptrdiff_t{2} * x);
            alpha = sample(std::ptrdiff_t{2} * x + 1);
            break;
        case SampleLayout::Rgb:
            red = sample(std::ptrdiff_t{3} * x);
            green = sample(std::ptrdiff_t{3} * x + 1);
            blue = sample(std::ptrdiff_t{3} * x + 2);
            break;
        default:
            red = sample(std::ptrdiff_t{4} * x);
            green = sample(std::ptrdiff_t{4} * x + 1);
            blue = sample(std::ptrdiff_t{4} * x + 2);
            alpha = sample(std::ptrdiff_t{4} * x + 3);
            break;
        }
        out[x] = isTransparentKey(format, red, green, blue)
                     ? 0
                     : premultipliedWide(red, green, blue, alpha);
        noteVisible(span, x, out[x]);
    }
}

} // namespace

void setGreyLevels(RowFormat& format) {
    const int levels = 1 << format.bitDepth;
    for (int level = 0; level < levels; ++level) {
        const auto grey = static_cast<std::uint8_t>(level * 255 / (levels - 1));
        const bool clear = format.hasTransparentKey && format.transparentKey[0] == level;
        format.palette.at(level) = clear ? 0 : premultiplied(grey, grey, grey, 0xFF);
    }
    format.paletteSize = levels;
}

bool toPremultiplied(const RowFormat& format, const std::uint8_t* samples, int width, QRgb* out,
                     VisibleSpan& span) {
    if (format.bitDepth == 16) {
        wideRow(format, samples, width, out, span);
        return true;
    }
    switch (format.layout) {
    case SampleLayout::Rgba:
        rgbaRow(samples, width, out, span);
        return true;
    case SampleLayout::Grey:
    case SampleLayout::Palette:
        return indexedRow(format, samples, width, out, span);
    default:
        byteRow(format, samples, width, out, span);
        return true;
    }
}

} // namespace brindo::png
