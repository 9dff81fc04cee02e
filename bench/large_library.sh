# shellcheck shell=bash
# The sample library drawn large, kept outside the program's folder.
BENCH_SCALE=9.3 # 1023 x 1972 pixels a layer, about 2 megapixels

# bench_large_library <build-dir>: draws it when missing or older than the
# drawing program, and prints its folder.
bench_large_library() {
    local build_dir="$1"
    local folder="$build_dir/bench-library/large"
    local stamp="$build_dir/bench-library/large.scale-$BENCH_SCALE"
    local maker="$build_dir/bin/brindo-make-library"
    if [[ ! -f "$stamp" || "$maker" -nt "$stamp" ]]; then
        echo "Drawing the large sample library (scale $BENCH_SCALE)..." >&2
        rm -f "$build_dir"/bench-library/large.scale-*
        "$maker" --output "$folder" --scale "$BENCH_SCALE" --clean
        touch "$stamp"
    fi
    echo "$folder"
}
