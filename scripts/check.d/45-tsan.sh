# The sound engine, its thread and the wave devices under ThreadSanitizer.
set -euo pipefail
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREEDSHOT_TSAN=ON >/dev/null
cmake --build build-tsan -j"$(nproc)" --target test_sound test_platform
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
# Bounded, as every test: a hang fails here instead of stalling the run.
timeout 600 build-tsan/tests/test_sound
timeout 600 build-tsan/tests/test_platform --gtest_filter='ThreadsTest.*:WaveOutTest.*'
