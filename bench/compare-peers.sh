#!/usr/bin/env bash
# Composes the full layered outfit (17 images) whole-process with brindo-cli
# render and with the tools a person would otherwise use: ImageMagick, Pillow,
# libvips, and a plain libpng decode with a simple blend loop. Runs them
# alternately at the sample library's native size and at about 2 megapixels a
# layer, prints median times, ratios to brindo-cli and peak memory, and checks
# that every picture agrees with brindo-cli's within 2 levels per channel. In
# the same rounds it measures the limit (bench/limit) and gives brindo-cli's
# time as a ratio to it.
#
#   bench/compare-peers.sh [RUNS]      (default 5 rounds; takes a few minutes)
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
runs="${1:-5}"

brindo_install "${BRINDO_PACKAGES[@]}" libbenchmark-dev libpng-dev libspng-dev zlib1g-dev \
    python3 python3-pil imagemagick libvips-tools time
build_dir="${BRINDO_BENCH_BUILD_DIR:-$BRINDO_ROOT/build-bench}"
brindo_build "$build_dir" -DCMAKE_BUILD_TYPE=Release -DBRINDO_BUILD_BENCH=ON -DBRINDO_BUILD_TESTS=OFF

# shellcheck source=bench/large_library.sh
source "$BRINDO_ROOT/bench/large_library.sh"
large="$(bench_large_library "$build_dir")"

echo "Machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores; load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Versions: $(convert -version | head -1 | cut -d' ' -f2-3), Pillow $(/usr/bin/python3 -c 'import PIL; print(PIL.__version__)'), $(vips --version)"
# Debian's own Python, which python3-pil serves, whatever else is on PATH.
/usr/bin/python3 "$BRINDO_ROOT/bench/peers/compare.py" --cli "$build_dir/dist/brindo-cli" \
    --floor "$build_dir/bin/brindo-floor" --limit "$build_dir/bin/brindo-limit" --runs "$runs" \
    --library native="$build_dir/dist" --library large="$large"
