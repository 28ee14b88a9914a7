# The web edition: built with emcc, then tested in Debian's chromium
# (headless, through puppeteer-core) and under node against the desktop
# build of step 10.
set -euo pipefail
scripts/build-web >/dev/null
(cd tests/web && npm ci --ignore-scripts --no-audit --no-fund --silent)
(cd tests/web && node --test --test-concurrency=1 web.test.js)
