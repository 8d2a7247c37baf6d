#!/bin/sh
# Installs what the builds and tests need on a Debian 12 machine.
set -e
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ clang libclang-rt-14-dev \
  googletest libgtest-dev zlib1g-dev \
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools libz-mingw-w64-dev \
  wine64 wine xvfb xauth \
  p7zip-full cabextract gcab \
  >/dev/null
