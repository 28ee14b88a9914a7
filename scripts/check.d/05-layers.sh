# The layers: every include points down (scripts/check-layers). First the
# check itself is shown a tree with a wrong include of each kind, which it
# must refuse, then the real tree.
set -euo pipefail
sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
mkdir -p "$sample"/{app,drivers,screens,game,framework,graphics,sound,persistence}
mkdir -p "$sample"/platform/{desktop,web}
echo '#include "app/run.h"' > "$sample/graphics/up.cpp"
echo '#include "screens/button.h"' > "$sample/game/across.cpp"
echo '#include "platform/web/x.h"' > "$sample/platform/desktop/other_device.cpp"
echo '#include "platform/desktop/x.h"' > "$sample/platform/calls.cpp"
echo '#include <SDL.h>' > "$sample/framework/sdl.cpp"
echo '#include "platform/types.h"' > "$sample/game/down.cpp"
out=$(scripts/check-layers "$sample" || true)
[[ $(grep -c 'cpp:1:' <<<"$out") -eq 5 && $out != *down.cpp* ]] ||
  { echo "the layer check missed a wrong include:"; echo "$out"; exit 1; } >&2
scripts/check-layers
echo "layers hold"
