# The fuzz targets (clang, libFuzzer, ASan + UBSan), each for a short,
# bounded time.
set -euo pipefail
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DREEDSHOT_FUZZ=ON -DREEDSHOT_TESTS=OFF >/dev/null
targets=()
for source in fuzz/*.cpp; do
  name=$(basename "$source" .cpp)
  targets+=("$name")
done
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
for name in "${targets[@]}"; do
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  # Seeds kept with the sources, where a target has them.
  seeds=()
  [[ -d fuzz/corpus/$name ]] && seeds=("fuzz/corpus/$name")
  echo "-- $name"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "build-fuzz/fuzz/$name" -max_total_time="${REEDSHOT_FUZZ_SECONDS:-20}" -rss_limit_mb=2048 \
    -print_final_stats=0 "$corpus" "${seeds[@]}" 2>&1 | tail -n 3
  [[ ${PIPESTATUS[0]} -eq 0 ]] || { echo "$name failed" >&2; exit 1; }
done
