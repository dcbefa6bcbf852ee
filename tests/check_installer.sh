#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer as a user meets it, in a Wine prefix of its own: a silent install
# puts exactly the install rules' files and a Start menu shortcut in place; the installed
# program starts with nothing else on PATH, loads no DLL from elsewhere, draws in the Windows
# Vista style and writes its settings; an installer of a later version replaces it, leaving
# one Add/Remove entry; its quiet uninstall removes every installed file and the entry, and
# leaves the settings.
#   check_installer.sh BUILD_DIR WINE_RUN INSTALLER
set -euo pipefail
build=$1 run=$2 installer=$3 here=$1/tests/installer
rm -rf "$here" && mkdir -p "$here"
wine() { "$run" "$here/prefix" "" "$@"; }
settle() { WINEPREFIX=$here/prefix /usr/lib/wine/wineserver "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
trap 'settle -k 2>/dev/null; wait' EXIT
folder="$here/prefix/drive_c/Program Files/Starfold"
shortcut="$here/prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Starfold.lnk"
settings='HKCU\Software\Lunavale\starfold\Settings'
entries='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

wine "$build/$installer" /S && settle -w
cmake --install "$build" --prefix "$here/expected" >/dev/null
diff <(cd "$here/expected" && find . -type f | sort) \
     <(cd "$folder" && find . -type f ! -name Uninstall.exe | sort) || fail "installed files differ"
[[ -f $shortcut ]] || fail "no Start menu shortcut"

WINEDEBUG=+loaddll xvfb-run -a -s "-screen 0 1024x768x24" \
    "$run" "$here/prefix" "" "C:\\Program Files\\Starfold\\starfold.exe" 2>"$here/loaded.txt" &
for _ in $(seq 60); do
    wine reg query "$settings" >/dev/null 2>&1 && break
    sleep 1
done
wine reg query "$settings" >/dev/null 2>&1 || fail "the program did not start"
settle -k; wait || true
native=$(grep -o 'Loaded L"[^"]*" at [0-9A-F]*: native' "$here/loaded.txt" || true)
[[ -n $native ]] || fail "no DLL seen loading"
foreign=$(grep -iv 'Program Files\\\\Starfold\\\\' <<< "$native" || true)
[[ -z $foreign ]] || fail "loaded from elsewhere: $foreign"
grep -q 'Starfold\\\\styles\\\\qwindowsvistastyle.dll' <<< "$native" ||
    fail "the Windows Vista style was not loaded"

# The same script at a later version.
cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$here/later" \
    -D CPACK_PACKAGE_VERSION=99.0 -D CPACK_PACKAGE_FILE_NAME=later >/dev/null
wine "$here/later/later.exe" /S && settle -w
entry() { wine reg query "$entries\\Starfold" /v "$1" | tr -d '\r' | grep -o "REG_.*"; }
named=$(wine reg query "$entries" /s | grep -c 'DisplayName *REG_SZ *Starfold' || true)
[[ $named == 1 && $(entry DisplayVersion) == "REG_SZ    99.0" ]] ||
    fail "after upgrading, $named entries, version $(entry DisplayVersion)"

quietly=$(entry QuietUninstallString)
uninstaller=${quietly#*\"} uninstaller=${uninstaller%\" /S}
[[ $quietly == *'" /S' ]] || fail "no quiet uninstall: $quietly"
wine "$uninstaller" /S && settle -w
[[ ! -e $folder && ! -e $shortcut ]] || fail "left after uninstalling: $(find "$folder" "$shortcut")"
! wine reg query "$entries\\Starfold" >/dev/null 2>&1 || fail "the Add/Remove entry was left"
wine reg query "$settings" >/dev/null 2>&1 || fail "the uninstaller took the user's settings"
