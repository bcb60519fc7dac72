#!/usr/bin/env bash
# Builds the .deb with CPack from a finished build and checks it: control fields, every file the
# install promises, the copyright file and changelog Debian asks for, lintian (where it is
# installed; any error fails), and both programs run from the unpacked tree (the desktop
# program offscreen).
# Usage: check_deb.sh BUILD_DIR CPACK_COMMAND
set -euo pipefail
build=$(cd "$1" && pwd)
cpack=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || {
  cat "$tmp/cpack.log" >&2
  exit 1
}
debs=("$tmp"/out/zemtra_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: cpack made no zemtra_*.deb" >&2; exit 1; }
deb=${debs[0]}
version=$("$build/zemtra-cli" --version | awk '{print $2}')

# Control fields.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = zemtra ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', zemtra-cli says $version"
[ "$(basename "$deb")" = "zemtra_${version}_$(field Architecture).deb" ] || fail "file name $(basename "$deb")"
depends=$(field Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libfreetype6 libfontconfig1 libicu libstdc++6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
recommends=$(field Recommends)
for package in fonts-liberation fonts-wqy-zenhei xfonts-wqy fonts-arphic-uming qt6-translations-l10n; do
  grep -q "$package" <<<"$recommends" || fail "Recommends lacks $package: $recommends"
done
[ -n "$(field Description)" ] && [ -n "$(field Maintainer)" ] || fail "no Description or Maintainer"
grep -q "LVGL 9" <<<"$(field Description)" || fail "the Description does not name the exports"

# Contents: everything the install promises, nothing outside /usr.
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/contents"
expected=(
  /usr/bin/zemtra /usr/bin/zemtra-cli
  /usr/share/applications/org.zemtra.Zemtra.desktop
  /usr/share/metainfo/org.zemtra.Zemtra.metainfo.xml
  /usr/share/mime/packages/zemtra.xml
  /usr/share/icons/hicolor/scalable/apps/org.zemtra.Zemtra.svg
  /usr/share/man/man1/zemtra-cli.1.gz /usr/share/man/man1/zemtra.1.gz
  /usr/share/doc/zemtra/dzk-format.md /usr/share/doc/zemtra/project-file.md
  /usr/share/doc/zemtra/examples/hello-glyph/CMakeLists.txt
  /usr/lib/cmake/Zemtra/ZemtraConfig.cmake /usr/lib/cmake/Zemtra/ZemtraConfigVersion.cmake
  /usr/lib/cmake/Zemtra/ZemtraFunctions.cmake
  /usr/share/doc/zemtra/copyright /usr/share/doc/zemtra/changelog.gz
  /usr/share/fontconfig/conf.avail/65-zemtra-fonts.conf
)
for page in "$(dirname "$0")"/../../docs/*.md; do
  expected+=("/usr/share/doc/zemtra/$(basename "$page")")
done
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/org.zemtra.Zemtra.png")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" "$tmp/contents" || fail "the package lacks $path"
done
outside=$(grep -vE '^/(usr(/.*)?)?$' "$tmp/contents" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
stray=$(grep -E '_tests$|_bench$|/zemtra_fuzz' "$tmp/contents" || true)
[ -z "$stray" ] || fail "test or bench programs in the package: $stray"

# Run the unpacked programs.
root=$tmp/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
[ "$("$bin/zemtra-cli" --version)" = "zemtra-cli $version" ] || fail "unpacked zemtra-cli --version"
if "$bin/zemtra-cli" c-source --text A --matrix 8x8 -o "$tmp/a.c" 2>"$tmp/c.log"; then
  grep -q 'const unsigned char fontlib_8x8\[\]' "$tmp/a.c" || fail "c-source: no fontlib_8x8"
  grep -q '0x4100/\*A\*/' "$tmp/a.c" || fail "c-source: no fonttab entry for A"
  [ "$(grep -c "// 'A', 0" "$tmp/a.c")" = 1 ] || fail "c-source: glyph A not commented once"
else
  fail "unpacked zemtra-cli c-source: $(cat "$tmp/c.log")"
fi
if command -v zcat >/dev/null; then
  zcat "$root/usr/share/man/man1/zemtra-cli.1.gz" | grep -q '^\.TH ZEMTRA-CLI 1' || fail "man page not a gzip'd page"
  # The newest changelog entry is this version.
  head=$(zcat "$root/usr/share/doc/zemtra/changelog.gz" | head -1)
  [[ "$head" == "zemtra ($version) "*"; urgency="* ]] || fail "changelog starts with '$head'"
fi

# The license, in Debian's machine-readable copyright format, says what LICENSE says.
copyright=$root/usr/share/doc/zemtra/copyright
src=$(cd "$(dirname "$0")/../.." && pwd)
head -1 "$copyright" | grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright: not the machine-readable format"
grep -qxF 'Copyright: 2026 The Zemtra developers' "$copyright" || fail "copyright: holders"
[ "$(grep -c '^License: Expat$' "$copyright")" = 2 ] || fail "copyright: License: Expat twice"
diff <(sed -n '/^Permission/,$p' "$src/LICENSE" | tr -s ' \n' ' ') \
  <(sed -n '/^ Permission/,$p' "$copyright" | sed 's/^ \.$//; s/^ //' | tr -s ' \n' ' ') >/dev/null ||
  fail "copyright: the license text differs from LICENSE"

# Lintian: errors fail the package, warnings are shown.
if command -v lintian >/dev/null; then
  set +e
  lintian "$deb" >"$tmp/lintian.log" 2>&1
  status=$?
  set -e
  grep -E '^[EW]: ' "$tmp/lintian.log" >&2 || true
  if [ "$status" != 0 ] || grep -qE '^E: ' "$tmp/lintian.log"; then
    fail "lintian (status $status): $(grep -vE '^[WINP]: ' "$tmp/lintian.log" | head -c 2000)"
  fi
fi

# The desktop program has no start-and-quit switch: it counts as started when it is still
# running after 10 s (timeout's 124) or ended cleanly, and has written its language files into
# ZEMTRA_HOME on the way. It gets a project file, as the desktop entry's %f gives it one.
"$bin/zemtra-cli" project save "$tmp/job.fprj" --matrix 12x12 --text "Zemtra" 2>/dev/null
mkdir -p "$tmp/home"
set +e
ZEMTRA_HOME=$tmp/home QT_QPA_PLATFORM=offscreen timeout 10 "$bin/zemtra" "$tmp/job.fprj" \
  >"$tmp/gui.log" 2>&1
status=$?
set -e
if [ "$status" != 124 ] && [ "$status" != 0 ]; then
  fail "unpacked zemtra exited with $status: $(head -c 2000 "$tmp/gui.log")"
fi
languages=$(find "$tmp/home" -iname '*.ini' -path '*Language*' | wc -l)
[ "$languages" -ge 3 ] || fail "zemtra wrote $languages language files into ZEMTRA_HOME, not 3"

if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net "$root" >"$tmp/tree.log" 2>&1 ||
    fail "appstreamcli validate-tree: $(cat "$tmp/tree.log")"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "deb: $(basename "$deb") passed ($(stat -c %s "$deb") bytes)"
