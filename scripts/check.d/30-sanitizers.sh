# The unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DREEDSHOT_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan-suppressions.txt:print_suppressions=0" \
  ctest --test-dir build-asan -L unit -LE desktop --output-on-failure --timeout 180 \
  -j"$(nproc)" | tee build-asan/ctest.log
