#!/usr/bin/env bash
# Installs a finished build into a scratch prefix, builds the shipped example hello-glyph
# against it with find_package(Zemtra), and checks what the example prints against
# zemtra-cli show: glyphs from the generated C source, the generated font library and the
# exported Adafruit GFX font, a rebuild after the project changes, and TEXT with a ';' in it.
# Usage: check_example.sh BUILD_DIR CMAKE_COMMAND [GENERATOR]
set -euo pipefail
build=$(cd "$1" && pwd)
cmake=$2
generator=${3:-}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 || {
  cat "$tmp/install.log" >&2
  exit 1
}
cli=$prefix/bin/zemtra-cli
# The example as installed, copied so that the test may change its project.
cp -r "$prefix/share/doc/zemtra/examples/hello-glyph" "$tmp/src"
generator_args=()
[ -n "$generator" ] && generator_args=(-G "$generator")

configure() {  # configure BUILD_FOLDER [cmake options]
  local out=$1
  shift
  "$cmake" -S "$tmp/src" -B "$out" "${generator_args[@]}" -DCMAKE_PREFIX_PATH="$prefix" "$@" \
    >"$tmp/configure.log" 2>&1 || { cat "$tmp/configure.log" >&2; exit 1; }
  grep -qxF "Zemtra_DIR:PATH=$prefix/lib/cmake/Zemtra" "$out/CMakeCache.txt" ||
    fail "find_package(Zemtra) did not take the scratch install: $(grep Zemtra_DIR "$out/CMakeCache.txt")"
}
build_example() {  # build_example BUILD_FOLDER
  "$cmake" --build "$1" >"$tmp/build.log" 2>&1 || { cat "$tmp/build.log" >&2; exit 1; }
}
# same_as_show BUILD_FOLDER WHAT CHARACTER [hello-glyph options]: the example's rows equal
# zemtra-cli show of the same character under the same project.
same_as_show() {
  local out=$1 what=$2 character=$3
  shift 3
  local got want
  got=$("$out/hello-glyph" "$@" "$character") || { fail "$what '$character': hello-glyph failed"; return; }
  want=$("$cli" show --project "$tmp/src/hello.fprj" --char "$character")
  [ "$got" = "$want" ] || fail "$what '$character' differs from zemtra-cli show:"$'\n'"$got"$'\n'"--- show:"$'\n'"$want"
  grep -q '#' <<<"$got" || [ "$character" = " " ] || fail "$what '$character' has no lit dot"
}

configure "$tmp/build"
build_example "$tmp/build"
for c in H e l o; do same_as_show "$tmp/build" "C source" "$c"; done
for c in H e '~' A 0; do same_as_show "$tmp/build" "library" "$c" --library; done
for c in H e '~' ' ' g; do same_as_show "$tmp/build" "GFX font" "$c" --gfx; done
# Printable ASCII, 0x20..0x7E: 95 records of 16 rows x 2 bytes.
size=$(stat -c %s "$tmp/build/ascii.dzk")
[ "$size" = $((95 * 32)) ] || fail "ascii.dzk has $size bytes, not 95 x 32"

# A changed project remakes both outputs: bolder or not, the glyphs must follow the file.
before=$("$tmp/build/hello-glyph" H)
"$cli" project save "$tmp/src/hello.fprj" --project "$tmp/src/hello.fprj" --weight 400 --offset 0,0
build_example "$tmp/build"
after=$("$tmp/build/hello-glyph" H)
[ "$before" != "$after" ] || fail "the build did not follow the changed hello.fprj"
same_as_show "$tmp/build" "C source after the change" H
same_as_show "$tmp/build" "library after the change" e --library
same_as_show "$tmp/build" "GFX font after the change" H --gfx

# TEXT with a list separator in it reaches zemtra-cli whole.
configure "$tmp/build-semicolon" "-DHELLO_TEXT=H;i"
build_example "$tmp/build-semicolon"
grep -q "0x3B00/\*;\*/" "$tmp/build-semicolon/hello_font.c" || fail "TEXT lost its ';'"
for c in H ';' i; do same_as_show "$tmp/build-semicolon" "TEXT with ';'" "$c"; done

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "example: hello-glyph built against $prefix and matched zemtra-cli show"
