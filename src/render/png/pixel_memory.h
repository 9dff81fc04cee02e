#pragma once

#include <cstddef>

namespace brindo {

// Memory for the pixels of large pictures: decoded layers and the canvas.
//
// A fresh buffer costs the system one page fault for every 4 KiB when it is
// first written; for a 2-megapixel layer that is 2000 faults, which on some
// machines takes longer than decoding it. So large buffers are asked for in
// huge pages where the system offers them, and up to 17 that were given back
// (a picture's worth of layers) are kept for the next pictures. Small ones
// come from malloc.
//
// Both functions are safe to call from any thread. takePixelMemory answers
// nullptr when there is no memory; the memory is aligned to 64 bytes.
void* takePixelMemory(std::size_t bytes);
// Gives memory from takePixelMemory back; nullptr is ignored. Its signature
// fits QImage's cleanup functions.
void givePixelMemoryBack(void* memory);

} // namespace brindo
