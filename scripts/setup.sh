#!/bin/sh
# Installs what the builds and tests need on a Debian 12 machine.
set -e
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# libmspack-dev: the decoder behind cabextract, for the LZX round-trip fuzz target.
# fonts-wqy-zenhei: a font with Chinese characters, so the windows' Chinese
# texts show under Wine (and in the screenshots the window tests take).
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ clang libclang-rt-14-dev \
  googletest libgtest-dev zlib1g-dev \
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools libz-mingw-w64-dev \
  wine64 wine xvfb xauth \
  p7zip-full cabextract gcab libmspack-dev locales fonts-wqy-zenhei \
  >/dev/null
# Wine takes its ANSI and OEM code pages from the locale: zh_CN gives code
# page 936, the one the shipped texts use; en_US (1252 and 437) and de_DE
# (1252 and 850) are the English and Western European systems the builds are
# tested on as well. The locales must exist for that.
for wine_locale in zh_CN en_US de_DE; do
  if ! locale -a 2>/dev/null | grep -qi "^$wine_locale.utf8\$"; then
    $SUDO localedef -i $wine_locale -f UTF-8 $wine_locale.UTF-8
  fi
done
