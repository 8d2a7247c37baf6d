#!/bin/sh
# The Windows build's whole INF and T13 builds under Wine on three systems:
# Chinese (zh_CN: code page 936), English (en_US: 1252 and 437) and Western
# European (de_DE: 1252 and 850). On the last two the INF build's work files
# bear Chinese names their code pages cannot hold, so the project's own
# batch interpreter and cabinet maker run them. Every package must hold the
# bytes the Chinese system gives (the build date aside), the example's
# Chinese file name must stand in the inner cabinet in code page 936, and the
# package of an application with ASCII names must install through Wine's
# setup engine on the English and the Western European system.
#
# Usage: locale_packages.sh BIN_DIR SOURCE_DIR WINE_RUN
# Exit status 0 when all holds, 1 otherwise, 77 (a skip) where cabextract or a
# locale is missing.
set -u
bin=$1
source=$2
wine_run=$3

command -v cabextract >/dev/null 2>&1 || { echo "cabextract is not installed: skipped"; exit 77; }
work=$(mktemp -d /tmp/tolvane-locales.XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0

. "$(dirname "$0")/script_helpers.sh"

# Runs a Windows program under Wine in the locale $locale; the stand-in 7z is on its PATH.
run() {
  TOLVANE_WINE_LOCALE=$locale.UTF-8 WINEPATH=$(win "$work/7z") "$wine_run" "$@"
}

# The sources, made once, so every locale packs the same files with the same times.
mkdir -p "$work/src/LocaleApp/doc" "$work/src/软件" "$work/7z"
printf 'app bytes\r\n' >"$work/src/LocaleApp/app.exe"
printf 'read me\r\n' >"$work/src/LocaleApp/doc/readme.txt"
printf 'setup bytes' >"$work/src/软件/setup.exe"
printf 'MZ stand-in for the self-extractor module\r\n' >"$work/7zs.sfx"
cp "$bin/t13_test_fake_7z.exe" "$work/7z/7z.exe"
touch -d '2026-12-01 10:00:00' "$work/src/LocaleApp/app.exe" "$work/src/LocaleApp/doc/readme.txt" \
  "$work/src/软件/setup.exe"

# Builds the three packages in $work/$locale; status 77 when the locale is missing.
build() {
  out="$work/$locale"
  mkdir -p "$out"
  run "$bin/tolvane-console.exe" inf --name LocaleApp --version 1.0 --source "$(win "$work/src/LocaleApp")" \
    --output "$(win "$out/LocaleApp_1.0_Addon.cab")" >"$out/inf.log" 2>&1
  status=$?
  [ $status -eq 77 ] && { cat "$out/inf.log"; return 77; }
  [ $status -eq 0 ] || { fail "$locale: the INF build failed"; cat "$out/inf.log"; }
  run "$bin/tolvane-console.exe" inf --name HelloApp --version 1.0 --source "$(win "$source/examples/HelloApp")" \
    --output "$(win "$out/HelloApp_1.0_Addon.cab")" >"$out/example.log" 2>&1 ||
    { fail "$locale: the example's INF build failed"; cat "$out/example.log"; }
  run "$bin/tolvane-console.exe" t13 --name LocaleApp --version 1.0 --item "$(win "$work/src/软件/setup.exe")" \
    --item "$(win "$work/src/LocaleApp")" --run "setup.exe /S" --sfx "$(win "$work/7zs.sfx")" \
    --output "$(win "$out/LocaleApp_1.0_Addon.7z")" >"$out/t13.log" 2>&1 ||
    { fail "$locale: the T13 build failed"; cat "$out/t13.log"; }
  for package in LocaleApp HelloApp; do
    mkdir -p "$out/$package" "$out/$package.inner"
    cabextract -q -d "$out/$package" "$out/${package}_1.0_Addon.cab" >/dev/null 2>&1
    cabextract -q -d "$out/$package.inner" "$out/$package/$package.cab" >/dev/null 2>&1
  done
  return 0
}

# The files of a package without its build date (the system's short date form differs).
undated() { LC_ALL=C sed -e '/^builddate=/d' "$1"; }

compare() {
  reference="$work/zh_CN"
  out="$work/$locale"
  for package in LocaleApp HelloApp; do
    names=$(cd "$out/$package" 2>/dev/null && ls)
    [ "$names" = "$(cd "$reference/$package" && ls)" ] || fail "$locale: $package holds other files: $names"
    for name in $names; do
      if [ "$name" = "Entries_$package.ini" ]; then
        [ "$(undated "$out/$package/$name" | od -An -tx1)" = "$(undated "$reference/$package/$name" | od -An -tx1)" ] ||
          fail "$locale: $package's $name differs beyond its build date"
      else
        # The INF and the inner cabinet, byte for byte: names, times and data.
        cmp -s "$out/$package/$name" "$reference/$package/$name" || fail "$locale: $package's $name differs"
      fi
    done
  done
  # The Chinese name as code page 936 has it ("说明" is CB B5 C3 F7).
  LC_ALL=C grep -q "$(printf 'HelloApp_bin_\313\265\303\367.txt')" "$out/HelloApp/HelloApp.cab" ||
    fail "$locale: the inner cabinet does not store HelloApp_bin_说明.txt in code page 936"
  [ "$(cat "$out/HelloApp.inner/HelloApp_readme.txt")" = "$(cat "$source/examples/HelloApp/readme.txt")" ] ||
    fail "$locale: the example's inner cabinet does not unpack to its files"
  # The stand-in 7z's archive: records of name, size and bytes; the entries
  # file's record loses its date line and its size.
  t13() { LC_ALL=C sed -e '/^builddate=/d' -e '/^Entries.ini|/{n;d;}' "$1/LocaleApp_1.0_Addon.7z" | od -An -tx1; }
  [ -f "$out/LocaleApp_1.0_Addon.7z" ] && [ "$(t13 "$out")" = "$(t13 "$reference")" ] ||
    fail "$locale: the T13 package differs beyond its build date"
}

# The ASCII package unpacked as an installation source (the inner cabinet in
# i386 below the INF), installed by Wine's setup engine, checked, removed.
install() {
  out="$work/$locale"
  source_root="$out/install"
  mkdir -p "$source_root/i386"
  cp "$out/LocaleApp/LocaleApp.cab" "$source_root/i386/"
  # 64-bit Wine's setup engine reads [SourceDisksNames] (or .amd64), not .x86.
  {
    cat "$out/LocaleApp/LocaleApp.inf"
    printf '[SourceDisksNames]\r\n'
    LC_ALL=C sed -n '/^\[SourceDisksNames\.x86\]/{n;p;}' "$out/LocaleApp/LocaleApp.inf"
  } >"$source_root/LocaleApp.inf"
  # Where the setup engine puts the files, in the Wine prefix wine-run chose.
  installed=$(run winepath -u 'C:\Program Files\LocaleApp' 2>/dev/null | tr -d '\r')
  [ -n "$installed" ] || { fail "$locale: winepath gave no folder for C:\Program Files"; return; }
  key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\LocaleApp'
  rm -rf "$installed"
  run rundll32 setupapi.dll,InstallHinfSection DefaultInstall 128 "$(win "$source_root/LocaleApp.inf")" \
    >"$out/install.log" 2>&1
  cmp -s "$installed/app.exe" "$work/src/LocaleApp/app.exe" ||
    fail "$locale: the setup engine did not install app.exe ($(cat "$out/install.log"))"
  cmp -s "$installed/doc/readme.txt" "$work/src/LocaleApp/doc/readme.txt" ||
    fail "$locale: the setup engine did not install doc\\readme.txt"
  run reg query "$key" /v DisplayName 2>/dev/null | grep -q 'LocaleApp1.0' ||
    fail "$locale: the setup engine did not write the uninstall entry"
  rm -rf "$installed"
  run reg delete "$key" /f >/dev/null 2>&1
}

for locale in zh_CN en_US de_DE; do
  build || exit 77
done
for locale in en_US de_DE; do
  compare
  install
done
if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "The packages of en_US and de_DE equal those of zh_CN, and install under both."
exit 0
