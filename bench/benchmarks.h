#pragma once

#include "bench_library.h"

namespace brindo::bench {

// Each adds its benchmarks for one library.
void registerDecodeBenchmarks(const BenchLibrary& library);
void registerOutfitBenchmarks(const BenchLibrary& library);
void registerWindowBenchmarks(const BenchLibrary& library);

// The start-up of a whole process, as a child of the benchmark program: the
// window is created, loaded and painted once, then the process ends.
int runStartUpChild(const QString& nativeLibrary);

} // namespace brindo::bench
