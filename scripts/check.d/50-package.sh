# The Debian package: its desktop entry, AppStream metadata and manual page
# valid, lintian without errors, the files it holds, and every option of
# --help described in the manual page and the README, whose lists of
# options are --help's.
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
# The three lists of options are the same: --help's, the manual page's
# OPTIONS and the README's synopsis.
help_options=$(build/reedshot --help | grep -o -- '--[a-z-]*' | sort -u)
diff -u --label 'reedshot --help' --label 'reedshot.6 OPTIONS' <(echo "$help_options") \
  <(sed -n '/^\.SH OPTIONS/,/^\.SH /p' packaging/reedshot.6.in |
    grep -o -- '^\.B[IR]* \\-\\-[a-z\\-]*' | sed 's/^\.B[IR]* //; s/\\-/-/g' | sort -u)
diff -u --label 'reedshot --help' --label 'README.md synopsis' <(echo "$help_options") \
  <(sed -n '/^    reedshot \[/,/^$/p' README.md | grep -o -- '--[a-z-]*' | sort -u)
echo "package $deb checked"
