#!/usr/bin/env bash
# Takes the screenshots of docs/gallery.md: builds the program, runs the tour
# headless with fresh settings, and writes docs/gallery/*.png, or with
# --into DIR the same pictures into DIR (./check compares them).
set -euo pipefail
cd "$(dirname "$0")/.."
into=docs/gallery
if [[ ${1:-} == --into ]]; then
  into=$2
  mkdir -p "$into"
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target reedshot
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
./build/reedshot --headless --data-dir "$data" --script docs/gallery/tour.script \
  --screenshots "$into" >/dev/null
ls "$into"/*.png
