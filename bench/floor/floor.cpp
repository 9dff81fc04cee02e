// brindo-floor OUT.bmp LAYER.png...
// The plain way to compose layers: each PNG decoded by libpng on one thread,
// blended with straight alpha onto an opaque white canvas of the first
// layer's size, and the result written as a 24-bit BMP. It is the yardstick
// that the peers comparison holds the program against.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <png.h>
#include <vector>

namespace {

struct Canvas {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> bgr; // top row first
};

bool blendLayer(const char* file, Canvas& canvas) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, file) == 0) {
        std::fprintf(stderr, "brindo-floor: %s: %s\n", file, image.message);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        std::fprintf(stderr, "brindo-floor: %s: %s\n", file, image.message);
        return false;
    }
    if (canvas.bgr.empty()) {
        canvas.width = image.width;
        canvas.height = image.height;
        canvas.bgr.assign(std::size_t{canvas.width} * canvas.height * 3, 0xFF);
    }
    const std::uint32_t width = std::min(canvas.width, image.width);
    const std::uint32_t height = std::min(canvas.height, image.height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* source = pixels.data() + std::size_t{y} * image.width * 4;
        std::uint8_t* target = canvas.bgr.data() + std::size_t{y} * canvas.width * 3;
        for (std::uint32_t x = 0; x < width; ++x, source += 4, target += 3) {
            const unsigned alpha = source[3];
            if (alpha == 0) {
                continue;
            }
            for (int channel = 0; channel < 3; ++channel) {
                target[channel] = static_cast<std::uint8_t>(
                    (source[channel] * alpha + target[channel] * (255 - alpha) + 127) / 255);
            }
        }
    }
    return true;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

bool writeBmp(const char* file, const Canvas& canvas) {
    const std::uint32_t rowSize = (canvas.width * 3 + 3) & ~3U;
    std::vector<std::uint8_t> header{'B', 'M'};
    put32(header, 54 + rowSize * canvas.height);
    put32(header, 0);
    put32(header, 54);
    put32(header, 40);
    put32(header, canvas.width);
    put32(header, canvas.height);
    put32(header, 1 | (24U << 16)); // planes, bits per pixel
    put32(header, 0);
    put32(header, rowSize * canvas.height);
    for (int i = 0; i < 4; ++i) {
        put32(header, 0);
    }
    std::FILE* out = std::fopen(file, "wb");
    if (out == nullptr) {
        std::perror(file);
        return false;
    }
    bool written = std::fwrite(header.data(), 1, header.size(), out) == header.size();
    std::vector<std::uint8_t> row(rowSize, 0);
    for (std::uint32_t y = canvas.height; written && y-- > 0;) {
        std::copy_n(canvas.bgr.data() + std::size_t{y} * canvas.width * 3, canvas.width * 3,
                    row.begin());
        written = std::fwrite(row.data(), 1, row.size(), out) == row.size();
    }
    return std::fclose(out) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: brindo-floor OUT.bmp LAYER.png...\n", stderr);
        return 2;
    }
    Canvas canvas;
    for (int i = 2; i < argc; ++i) {
        if (!blendLayer(argv[i], canvas)) {
            return 1;
        }
    }
    return writeBmp(argv[1], canvas) ? 0 : 1;
}
