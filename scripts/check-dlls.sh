#!/bin/sh
# Fails when an exe in the folder needs a DLL that Windows XP does not ship.
set -e
status=0
for exe in "$1"/*.exe; do
  [ -e "$exe" ] || continue
  for dll in $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p'); do
    case "$(echo "$dll" | tr 'A-Z' 'a-z')" in
      kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|ole32.dll|oleaut32.dll|comdlg32.dll|comctl32.dll|msvcrt.dll|shlwapi.dll|version.dll) ;;
      *) echo "$exe needs $dll, which is not part of Windows"; status=1 ;;
    esac
  done
done
exit $status
