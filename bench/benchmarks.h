#pragma once

#include "bench_library.h"

namespace brindo::bench {

// Each adds its benchmarks for one library.
void registerDecodeBenchmarks(const BenchLibrary& library);
void registerOutfitBenchmarks(const BenchLibrary& library);
void registerWindowBenchmarks(const BenchLibrary& library);
void registerPreviewBenchmarks(const BenchLibrary& library);

// The start-up of a whole process, as a child of the benchmark program: the
// window is created, loaded and painted once, then the process ends.
int runStartUpChild(const QString& nativeLibrary);
// A session as a child of the benchmark program: the window started, dressed
// fully, and every item of every category clicked twice over; prints
// "peak <bytes>", its peak resident memory.
int runSessionChild(const QString& nativeLibrary);

} // namespace brindo::bench
