#include "render/png/pixel_memory.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>

// Under AddressSanitizer every buffer comes from malloc, whose bounds it
// watches; it does not watch mappings.
#if defined(__SANITIZE_ADDRESS__)
#define BRINDO_MAP_PIXELS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRINDO_MAP_PIXELS 0
#endif
#endif
#if !defined(BRINDO_MAP_PIXELS) && defined(__linux__)
#define BRINDO_MAP_PIXELS 1
#elif !defined(BRINDO_MAP_PIXELS)
#define BRINDO_MAP_PIXELS 0
#endif

#if BRINDO_MAP_PIXELS
#include <sys/mman.h>
#endif

namespace brindo {

namespace {

// Every buffer starts with this header; the pixels follow it.
struct alignas(64) Header {
    std::size_t usable = 0; // bytes after the header
    std::size_t mapped = 0; // length of the mapping; 0 for malloc'd memory
};

Header* allocateSmall(std::size_t bytes) {
    const std::size_t rounded = (bytes + alignof(Header) - 1) / alignof(Header) * alignof(Header);
    void* memory = std::aligned_alloc(alignof(Header), sizeof(Header) + rounded);
    return memory == nullptr ? nullptr : new (memory) Header{bytes, 0};
}

#if BRINDO_MAP_PIXELS

constexpr std::size_t kMappedFrom = std::size_t{1} << 20;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::uintptr_t roundUp(std::uintptr_t value, std::uintptr_t step) {
    return (value + step - 1) / step * step;
}

// A mapping aligned to the huge page size, with huge pages asked for.
Header* mapBuffer(std::size_t bytes) {
    const std::size_t length = roundUp(sizeof(Header) + bytes, kHugePage);
    void* raw = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return nullptr;
    }
    // Keep the huge-page-aligned part of the mapping and return the rest.
    const std::size_t misalignment = reinterpret_cast<std::uintptr_t>(raw) % kHugePage;
    const std::size_t head = misalignment == 0 ? 0 : kHugePage - misalignment;
    char* memory = static_cast<char*>(raw) + head;
    if (head > 0) {
        munmap(raw, head);
    }
    munmap(memory + length, kHugePage - head);
    madvise(memory, length, MADV_HUGEPAGE); // only a hint: ordinary pages without it
    return new (memory) Header{length - sizeof(Header), length};
}

// The large buffers given back most recently.
class KeptBuffers {
public:
    Header* take(std::size_t bytes) {
        const std::lock_guard lock(mutex_);
        for (Header*& kept : kept_) {
            // Not much larger than asked for, so that a small picture does
            // not hold on to a big buffer.
            if (kept != nullptr && kept->usable >= bytes && kept->usable - bytes <= bytes / 2) {
                return std::exchange(kept, nullptr);
            }
        }
        return nullptr;
    }

    void give(Header* header) {
        {
            const std::lock_guard lock(mutex_);
            for (Header*& kept : kept_) {
                if (kept == nullptr) {
                    kept = header;
                    return;
                }
            }
        }
        munmap(header, header->mapped);
    }

private:
    std::mutex mutex_;
    // A picture's worth of layers: a redraw that replaces many layers first
    // drops as many from the layer cache, whose memory the new ones take.
    std::array<Header*, 17> kept_{};
};

KeptBuffers& keptBuffers() {
    static KeptBuffers* const buffers = new KeptBuffers; // lives as long as the process
    return *buffers;
}

Header* allocate(std::size_t bytes) {
    if (bytes < kMappedFrom) {
        return allocateSmall(bytes);
    }
    Header* header = keptBuffers().take(bytes);
    return header != nullptr ? header : mapBuffer(bytes);
}

void release(Header* header) {
    if (header->mapped == 0) {
        std::free(header);
    } else {
        keptBuffers().give(header);
    }
}

#else

Header* allocate(std::size_t bytes) {
    return allocateSmall(bytes);
}

void release(Header* header) {
    std::free(header);
}

#endif

} // namespace

void* takePixelMemory(std::size_t bytes) {
    Header* header = allocate(bytes);
    return header == nullptr ? nullptr : header + 1;
}

void givePixelMemoryBack(void* memory) {
    if (memory != nullptr) {
        release(static_cast<Header*>(memory) - 1);
    }
}

} // namespace brindo
