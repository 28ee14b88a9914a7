# The whole suite; desktop tests run against a virtual X display. --timeout
# bounds any test that has no time limit of its own.
set -euo pipefail
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure --timeout 180 -j"$(nproc)" | tee build/ctest.log
