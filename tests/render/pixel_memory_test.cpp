#include "render/pixel_memory.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace brindo {
namespace {

TEST(PixelMemoryTest, BuffersOfEverySizeAreAlignedWritableAndReused) {
    const std::size_t layer = std::size_t{1023} * 1972 * 4;
    for (const std::size_t bytes :
         {std::size_t{1}, std::size_t{4096}, std::size_t{3} << 20, layer}) {
        auto* memory = static_cast<unsigned char*>(takePixelMemory(bytes));
        ASSERT_NE(memory, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory) % 64, 0U);
        std::memset(memory, 0x5A, bytes);
        EXPECT_EQ(memory[bytes - 1], 0x5A);
        givePixelMemoryBack(memory);
    }
    givePixelMemoryBack(nullptr);

    // Several at once stay apart, and giving back more than are kept is fine.
    std::vector<unsigned char*> held;
    for (int i = 0; i < 4; ++i) {
        held.push_back(static_cast<unsigned char*>(takePixelMemory(layer)));
        ASSERT_NE(held.back(), nullptr);
        std::memset(held.back(), i, layer);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(held[i][layer / 2], i);
        givePixelMemoryBack(held[i]);
    }
}

} // namespace
} // namespace brindo
