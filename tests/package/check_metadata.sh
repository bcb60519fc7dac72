#!/usr/bin/env bash
# Checks the desktop files against the program: the manual page covers every option of
# --help, man pages and AppStream data carry zemtra-cli's version, the desktop entry, MIME type
# and icons agree, and the checked-in icons are what scripts/make_icons.py draws.
# Usage: check_metadata.sh ZEMTRA_CLI SOURCE_DIR
set -euo pipefail
cli=$1
src=$2
res=$src/resources
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

help=$("$cli" --help)
version=$("$cli" --version | awk '{print $2}')
[ -n "$version" ] || fail "zemtra-cli --version printed no version"

# Every option and command of --help has its place in the manual page (troff writes - as \-).
man_text=$(sed 's/\\-/-/g; s/\\f[BIRP]//g' "$src/docs/zemtra-cli.1")
for option in $(grep -oE -- '(^|[ ,|\[])--?[a-z][a-z0-9-]*' <<<"$help" | grep -oE -- '--?[a-z][a-z0-9-]*' | sort -u); do
  grep -qF -- "$option" <<<"$man_text" || fail "zemtra-cli.1 does not mention $option"
done
for command in $(sed -n '/^Commands:/,/^$/p' <<<"$help" | grep -oE '^  [a-z][a-z-]+' | sort -u); do
  grep -qE "^\.(B|BI|TP).*$command" <<<"$man_text" || fail "zemtra-cli.1 has no entry for $command"
done

# One version everywhere: project() in CMake reaches the binaries, the pages must follow.
for page in zemtra-cli.1 zemtra.1; do
  grep -qE "^\.TH .*\"Zemtra $version\"" "$src/docs/$page" || fail "$page: .TH does not say Zemtra $version"
done
metainfo=$res/org.zemtra.Zemtra.metainfo.xml
first_release=$(grep -oE '<release version="[^"]+"' "$metainfo" | head -1 | cut -d'"' -f2)
[ "$first_release" = "$version" ] || fail "metainfo: newest release is '$first_release', not $version"

# One license everywhere: LICENSE is MIT's text, and the AppStream data and README name it.
head -1 "$src/LICENSE" | grep -qx 'MIT License' || fail "LICENSE is not the MIT license"
grep -qxF 'Copyright (c) 2026 The Zemtra developers' "$src/LICENSE" || fail "LICENSE: copyright line"
grep -qF '<project_license>MIT</project_license>' "$metainfo" || fail "metainfo: project_license is not MIT"
grep -qF '[MIT license](LICENSE)' "$src/README.md" || fail "README does not name the MIT license"

# The desktop entry opens project files and names an icon that exists.
desktop=$res/org.zemtra.Zemtra.desktop
key() { grep -E "^$1=" "$desktop" | head -1 | cut -d= -f2-; }
[ "$(key Exec)" = "zemtra %f" ] || fail "desktop: Exec is '$(key Exec)'"
[ "$(key Type)" = "Application" ] || fail "desktop: Type is '$(key Type)'"
grep -qE '^MimeType=(.*;)?application/x-zemtra-project;' "$desktop" || fail "desktop: MimeType"
[ "$(key Categories)" = "Development;Electronics;Graphics;" ] || fail "desktop: Categories"
for k in 'Name\[zh_CN\]' 'Name\[zh_TW\]' 'Comment\[zh_CN\]' 'Comment\[zh_TW\]' Comment; do
  [ -n "$(key "$k")" ] || fail "desktop: no $k"
done
icon=$(key Icon)
[ -f "$res/icons/$icon.svg" ] || fail "desktop: no scalable icon $icon.svg"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
  fail "metainfo: launchable is not $(basename "$desktop")"

# Every PNG is the size its folder says (width and height from the IHDR chunk).
for size in 16 22 24 32 48 64 128 256; do
  png=$res/icons/${size}x${size}/$icon.png
  if [ ! -f "$png" ]; then fail "no icon $png"; continue; fi
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$size $size" ] || fail "$png is $w x $h"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if command -v python3 >/dev/null; then
  python3 "$src/scripts/make_icons.py" "$tmp/icons" >/dev/null
  diff -r "$tmp/icons" "$res/icons" >/dev/null ||
    fail "resources/icons differ from scripts/make_icons.py's drawing: run the script"
fi

# The MIME type compiles and claims *.fprj; the XML files are well formed.
if command -v update-mime-database >/dev/null; then
  mkdir -p "$tmp/mime/packages"
  cp "$res/zemtra-mime.xml" "$tmp/mime/packages/"
  update-mime-database "$tmp/mime" 2>"$tmp/mime.log" || fail "update-mime-database: $(cat "$tmp/mime.log")"
  grep -q '^50:application/x-zemtra-project:\*\.fprj$' "$tmp/mime/globs2" || fail "mime: no *.fprj glob"
  grep -qF 'application/x-zemtra-project' "$tmp/mime/magic" || fail "mime: no magic"
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$res/zemtra-mime.xml" "$metainfo" || fail "xmllint"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >"$tmp/as.log" 2>&1 || fail "appstreamcli: $(cat "$tmp/as.log")"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "metadata: all checks passed (version $version)"
