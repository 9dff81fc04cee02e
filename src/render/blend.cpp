#include "render/blend.h"

#include <QPainter>
#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace brindo {

namespace {

// target * alpha / 255 for each channel, as Qt's BYTE_MUL rounds it.
QRgb byteMultiply(QRgb target, std::uint32_t alpha) {
    std::uint32_t redBlue = (target & 0xFF00FFU) * alpha;
    redBlue = ((redBlue + ((redBlue >> 8U) & 0xFF00FFU) + 0x800080U) >> 8U) & 0xFF00FFU;
    std::uint32_t alphaGreen = ((target >> 8U) & 0xFF00FFU) * alpha;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8U) & 0xFF00FFU) + 0x800080U) & 0xFF00FF00U;
    return alphaGreen | redBlue;
}

bool drawsHere(const QImage& surface) {
    return surface.format() == QImage::Format_RGB32 ||
           surface.format() == QImage::Format_ARGB32_Premultiplied;
}

#if defined(__x86_64__)
#define BRINDO_BLEND_X86 1
#else
#define BRINDO_BLEND_X86 0
#endif

#if BRINDO_BLEND_X86

// Four pixels a step: runs of fully transparent or fully opaque pixels cost
// a comparison; the others are multiplied in 16-bit lanes.
int blendFours(const QRgb* source, QRgb* target, int count) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000U));
    const __m128i redBlueMask = _mm_set1_epi32(0x00FF00FF);
    const __m128i full = _mm_set1_epi16(0xFF);
    const __m128i half = _mm_set1_epi16(0x80);
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        const __m128i alpha = _mm_and_si128(pixels, alphaMask);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xFFFF) {
            continue;
        }
        auto* out = reinterpret_cast<__m128i*>(target + x);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, alphaMask)) == 0xFFFF) {
            _mm_storeu_si128(out, pixels);
            continue;
        }
        const __m128i below = _mm_loadu_si128(out);
        __m128i inverse = _mm_srli_epi32(pixels, 24);
        inverse = _mm_sub_epi16(full, _mm_or_si128(inverse, _mm_slli_epi32(inverse, 16)));
        __m128i redBlue = _mm_mullo_epi16(_mm_and_si128(below, redBlueMask), inverse);
        __m128i alphaGreen = _mm_mullo_epi16(_mm_srli_epi16(below, 8), inverse);
        redBlue = _mm_add_epi16(_mm_add_epi16(redBlue, _mm_srli_epi16(redBlue, 8)), half);
        alphaGreen = _mm_add_epi16(_mm_add_epi16(alphaGreen, _mm_srli_epi16(alphaGreen, 8)), half);
        const __m128i scaled =
            _mm_or_si128(_mm_srli_epi16(redBlue, 8), _mm_andnot_si128(redBlueMask, alphaGreen));
        _mm_storeu_si128(out, _mm_add_epi8(pixels, scaled));
    }
    return x;
}

// The same, eight pixels a step, on processors that have AVX2.
__attribute__((target("avx2"))) int blendEights(const QRgb* source, QRgb* target, int count) {
    const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000U));
    const __m256i redBlueMask = _mm256_set1_epi32(0x00FF00FF);
    const __m256i full = _mm256_set1_epi16(0xFF);
    const __m256i half = _mm256_set1_epi16(0x80);
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + x));
        if (_mm256_testz_si256(pixels, alphaMask) != 0) {
            continue; // every alpha 0
        }
        auto* out = reinterpret_cast<__m256i*>(target + x);
        if (_mm256_testc_si256(pixels, alphaMask) != 0) {
            _mm256_storeu_si256(out, pixels); // every alpha 255
            continue;
        }
        const __m256i below = _mm256_loadu_si256(out);
        __m256i inverse = _mm256_srli_epi32(pixels, 24);
        inverse = _mm256_sub_epi16(full, _mm256_or_si256(inverse, _mm256_slli_epi32(inverse, 16)));
        __m256i redBlue = _mm256_mullo_epi16(_mm256_and_si256(below, redBlueMask), inverse);
        __m256i alphaGreen = _mm256_mullo_epi16(_mm256_srli_epi16(below, 8), inverse);
        redBlue = _mm256_add_epi16(_mm256_add_epi16(redBlue, _mm256_srli_epi16(redBlue, 8)), half);
        alphaGreen =
            _mm256_add_epi16(_mm256_add_epi16(alphaGreen, _mm256_srli_epi16(alphaGreen, 8)), half);
        const __m256i scaled = _mm256_or_si256(_mm256_srli_epi16(redBlue, 8),
                                               _mm256_andnot_si256(redBlueMask, alphaGreen));
        _mm256_storeu_si256(out, _mm256_add_epi8(pixels, scaled));
    }
    return x;
}

bool hasAvx2() {
    static const bool kAvailable = __builtin_cpu_supports("avx2") != 0;
    return kAvailable;
}

#endif

} // namespace

void blendSpan(const QRgb* source, QRgb* target, int count) {
    int x = 0;
#if BRINDO_BLEND_X86
    if (hasAvx2()) {
        x = blendEights(source, target, count);
    }
    x += blendFours(source + x, target + x, count - x);
#endif
    for (; x < count; ++x) {
        const QRgb pixel = source[x];
        if (pixel >= 0xFF000000U) {
            target[x] = pixel;
        } else if (pixel != 0) {
            target[x] = pixel + byteMultiply(target[x], 255U - qAlpha(pixel));
        }
    }
}

void blendPicture(QImage& surface, const QImage& picture, const Coverage& coverage, QPoint at,
                  int fromRow, int toRow) {
    const QRect drawn = coverage.visible.translated(at) & surface.rect() &
                        QRect(0, fromRow, surface.width(), toRow - fromRow);
    if (drawn.isEmpty() || picture.format() != QImage::Format_ARGB32_Premultiplied) {
        return;
    }
    if (!drawsHere(surface)) {
        QPainter painter(&surface);
        painter.setClipRect(drawn);
        painter.drawImage(at, picture);
        return;
    }
    const qsizetype sourceStride = picture.bytesPerLine();
    const qsizetype targetStride = surface.bytesPerLine();
    const uchar* sourceBits = picture.constBits();
    uchar* targetBits = surface.bits();
    for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
        const int row = y - at.y();
        const RowSpan& span = coverage.rows[static_cast<std::size_t>(row)];
        const int first = std::max(span.first, drawn.left() - at.x());
        const int last = std::min(span.last, drawn.right() - at.x());
        if (first > last) {
            continue;
        }
        const auto* source = reinterpret_cast<const QRgb*>(sourceBits + row * sourceStride);
        auto* target = reinterpret_cast<QRgb*>(targetBits + y * targetStride);
        blendSpan(source + first, target + first + at.x(), last - first + 1);
    }
}

} // namespace brindo
