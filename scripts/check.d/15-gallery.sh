# The gallery (docs/gallery/*.png) is what the program shows now: the tour is
# taken again and every picture compared, pixel for pixel, with the one kept,
# so that a change of what the game shows cannot leave it stale. First the
# comparison itself is shown a picture with one pixel changed, which it must
# find. scripts/gallery.sh remakes the gallery.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/gallery.sh --into "$work/fresh" >/dev/null

# Names the pictures of folder $1 that folder $2 lacks or shows otherwise,
# and those of $2 that $1 lacks.
differ() {
  local kept name pixels
  for kept in "$1"/*.png; do
    name=${kept##*/}
    if [[ ! -f $2/$name ]]; then
      echo "$name: not made"
      continue
    fi
    pixels=$(compare -metric AE "$kept" "$2/$name" null: 2>&1 || true)
    [[ $pixels == 0 ]] || echo "$name: $pixels pixels differ"
  done
  for kept in "$2"/*.png; do
    [[ -f $1/${kept##*/} ]] || echo "${kept##*/}: not in the gallery"
  done
}

mkdir "$work/changed"
cp "$work"/fresh/*.png "$work/changed/"
convert "$work/fresh/title.png" -fill '#ff00ff' -draw 'point 7 7' "$work/changed/title.png"
[[ $(differ "$work/fresh" "$work/changed") == "title.png: 1 pixels differ" ]] ||
  { echo "the gallery's comparison missed a changed pixel" >&2; exit 1; }

out=$(differ docs/gallery "$work/fresh")
if [[ -n $out ]]; then
  echo "docs/gallery is stale (remake it with scripts/gallery.sh):" >&2
  echo "$out" >&2
  exit 1
fi
echo "gallery current"
