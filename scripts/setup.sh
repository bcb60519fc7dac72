#!/usr/bin/env bash
# Installs the Debian packages that building and testing Zemtra need, only those still missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libfreetype-dev libfontconfig-dev libicu-dev libharfbuzz-dev qt6-base-dev qt6-qpa-plugins
  libharfbuzz-bin   # hb-shape: the kerning checks compare with it
  qt6-translations-l10n   # Qt's own dialogs and buttons in the chosen language
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-wqy-zenhei xfonts-terminus fonts-dejavu-core
  fonts-font-awesome   # a symbol face in the private use area: odd glyphs for the export sweep
  xfonts-wqy fonts-arphic-uming   # the pixel-designed Chinese faces: font linking, SimSun names
  unifont fonts-unifont xfonts-unifont pcf2bdf   # a bitmap font with an independent hex source, checked dot for dot
  dpkg-dev   # dpkg-shlibdeps: the .deb's library dependencies (cpack -G DEB)
  lintian    # the package test fails on any lintian error
  clang libclang-rt-14-dev   # the libFuzzer targets (scripts/fuzz.sh)
  lld   # the test builds link with it, in a third of ld's time
  clang-format python3   # the format and include-layer checks of scripts/test.sh
  gcc-arm-none-eabi libnewlib-arm-none-eabi qemu-system-arm   # the runtime's firmware on a Cortex-M3
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
