#!/usr/bin/env bash
# Takes the screenshots of docs/gallery.md: builds the program, runs the tour
# headless with fresh settings, and writes docs/gallery/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target reedshot
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
./build/reedshot --headless --data-dir "$data" --script docs/gallery/tour.script \
  --screenshots docs/gallery >/dev/null
ls docs/gallery/*.png
