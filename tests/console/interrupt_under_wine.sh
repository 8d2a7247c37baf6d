#!/bin/sh
# Ctrl+C to the Windows build of the console front end while makecab makes
# the inner cabinet, under Wine. Wine hands a SIGINT to a Windows program as
# a console Ctrl event: the program's Ctrl handler runs on a thread of its
# own, ends the programs it started (its job object) and removes its work
# folder and unfinished package before the program ends. Afterwards the old
# package is as it was, the work folder is gone and no program runs in it.
#
# Usage: interrupt_under_wine.sh BIN_DIR WINE_RUN
# Exit status 0 when all holds, 1 otherwise, 77 (a skip) without /proc.
set -u
bin=$1
wine_run=$2

[ -d /proc/self ] || { echo "no /proc here to find the programs left running: skipped"; exit 77; }
work=$(mktemp -d /tmp/tolvane-interrupt.XXXXXX)
console=
trap '[ -n "$console" ] && kill -KILL "$console" 2>/dev/null; rm -rf "$work"' EXIT
failures=0

. "$(dirname "$0")/script_helpers.sh"

# The processes whose current folder lies in $1 (the batch interpreter and
# makecab run in the work folder).
programs_in() {
  for cwd in /proc/[0-9]*/cwd; do
    target=$(readlink "$cwd" 2>/dev/null) || continue
    case "$target" in "$1"*) echo "${cwd%/cwd}: $(tr '\0' ' ' <"${cwd%/cwd}/cmdline" 2>/dev/null)" ;; esac
  done
}

# Where the Windows programs' temporary folder lies on this side.
temp=$("$wine_run" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
temp_unix=$("$wine_run" winepath -u "$temp" 2>/dev/null | tr -d '\r')
[ -n "$temp_unix" ] && [ -d "$temp_unix" ] || { echo "FAILED: no temporary folder of Wine's ($temp)"; exit 1; }
temp_unix=$(cd "$temp_unix" && pwd -P)  # as the programs' current folders read
before=$(ls -d "$temp_unix"/tolvane-inf-* 2>/dev/null)

# 40 files of noise: LZX takes some seconds over them, time enough to interrupt.
mkdir -p "$work/App"
for i in $(seq 1 40); do head -c 1000000 /dev/urandom >"$work/App/f$i.bin"; done
printf 'the old package' >"$work/App_1_Addon.cab"

"$wine_run" "$bin/tolvane-console.exe" inf --name App --version 1 --source "$(win "$work/App")" \
  --output "$(win "$work/App_1_Addon.cab")" --overwrite yes >"$work/console.log" 2>&1 &
console=$!

# The build's work folder once makecab runs in it.
folder=
for _ in $(seq 1 1200); do
  for candidate in "$temp_unix"/tolvane-inf-*; do
    case "$before" in *"$candidate"*) continue ;; esac
    if [ -f "$candidate/生成cab文件.bat" ] && programs_in "$candidate" | grep -q makecab; then folder=$candidate; fi
  done
  [ -n "$folder" ] && break
  kill -0 "$console" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$folder" ]; then
  cat "$work/console.log"
  echo "FAILED: the build never started makecab"
  exit 1
fi

kill -INT "$console"
for _ in $(seq 1 300); do
  kill -0 "$console" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$console" 2>/dev/null; then fail "the console front end did not end within 30 s of Ctrl+C"; fi
wait "$console" 2>/dev/null
console=

[ -e "$folder" ] && fail "the work folder $folder stayed: $(ls "$folder" | tr '\n' ' ')"
left=$(programs_in "$folder")
[ -n "$left" ] && fail "programs of the build run on: $left"
[ "$(cat "$work/App_1_Addon.cab")" = "the old package" ] || fail "the old package changed"
[ -e "$work/App_1_Addon.cab.tolvane-part" ] && fail "the unfinished package stayed"
files=$(ls "$work" | tr '\n' ' ')
[ "$files" = "App App_1_Addon.cab console.log " ] || fail "beside the package: $files"

if [ $failures -ne 0 ]; then
  cat "$work/console.log"
  echo "$failures check(s) failed"
  exit 1
fi
echo "Ctrl+C ended the build, its programs and its work folder; the old package stayed"
exit 0
