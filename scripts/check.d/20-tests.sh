# The whole suite; desktop tests run against a virtual X display.
set -euo pipefail
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -j"$(nproc)"
