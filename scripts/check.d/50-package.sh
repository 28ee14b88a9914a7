# The Debian package: its desktop entry, AppStream metadata and manual page
# valid, lintian without errors, the files it holds, and every option of
# --help described in the manual page and the README.
set -euo pipefail
cmake --build build -j"$(nproc)" --target package
version=$(sed -n 's/^project(reedshot VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/reedshot_${version}_amd64.deb"
desktop-file-validate packaging/reedshot.desktop
appstreamcli validate --no-net build/packaging/*.metainfo.xml
lintian --fail-on error "$deb" 2> >(grep -v 'root privileges' >&2)
diff -u packaging/package-files.txt \
  <(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./|/|' | sort)
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l build/packaging/reedshot.6 2>&1 >/dev/null)
[[ -z "$warnings" ]] || { echo "reedshot.6: $warnings" >&2; exit 1; }
for option in $(build/reedshot --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -qP -- "\\Q${option//-/\\-}\\E(?![a-z\\\\-])" packaging/reedshot.6.in ||
    { echo "reedshot.6 lacks $option" >&2; exit 1; }
  grep -qP -- "\\Q$option\\E(?![a-z-])" README.md || { echo "README.md lacks $option" >&2; exit 1; }
done
echo "package $deb checked"
