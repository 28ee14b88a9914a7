# Release build of the program, the tests and the tools.
set -euo pipefail
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
