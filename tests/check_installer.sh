#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer as a user meets it, in a Wine prefix of its own: a silent install
# puts exactly the install rules' files and a Start menu shortcut in place; the installed
# program starts with nothing else on PATH, and loads no DLL of Qt or MinGW from elsewhere;
# a silent uninstall removes every installed file and leaves the user's settings.
#   check_installer.sh BUILD_DIR WINE_RUN INSTALLER
set -euo pipefail
build=$1 run=$2 installer=$3
prefix=$build/tests/installer/wineprefix
rm -rf "$build/tests/installer" && mkdir -p "$build/tests/installer"
wine() { "$run" "$prefix" "" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
folder="$prefix/drive_c/Program Files/Starfold"
shortcut="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Starfold/Starfold.lnk"

wine "$build/$installer" /S
WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
cmake --install "$build" --prefix "$build/tests/installer/expected" >/dev/null
diff <(cd "$build/tests/installer/expected" && find . -type f | sort) \
     <(cd "$folder" && find . -type f ! -name Uninstall.exe | sort) || fail "installed files differ"
[[ -f $shortcut ]] || fail "no Start menu shortcut"

# Started as the shortcut would: up once it has loaded its platform plug-in, and still up;
# its first start writes its settings.
WINEDEBUG=+loaddll xvfb-run -a -s "-screen 0 1024x768x24" \
    "$run" "$prefix" "" "C:\\Program Files\\Starfold\\starfold.exe" 2>"$build/tests/installer/loaded.txt" &
program=$!
for _ in $(seq 60); do
    grep -q 'platforms\\\\qwindows.dll' "$build/tests/installer/loaded.txt" && break
    sleep 1
done
sleep 3
kill -0 $program 2>/dev/null && grep -q 'qwindows.dll' "$build/tests/installer/loaded.txt" \
    || fail "the program did not start"
settings='HKCU\Software\Lunavale\starfold\Settings'
wine reg query "$settings" >/dev/null 2>&1 || fail "no settings after the first start"
WINEPREFIX=$prefix /usr/lib/wine/wineserver -k
wait $program || true
foreign=$(grep -o 'Loaded L"[^"]*": native' "$build/tests/installer/loaded.txt" | grep -iv 'Program Files\\\\Starfold\\\\' || true)
[[ -z $foreign ]] || fail "loaded from elsewhere: $foreign"

wine "C:\\Program Files\\Starfold\\Uninstall.exe" /S
WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
[[ ! -e $folder && ! -e $shortcut ]] || fail "left after uninstalling: $(find "$folder" "$shortcut" 2>/dev/null)"
wine reg query "$settings" >/dev/null 2>&1 || fail "the uninstaller took the user's settings"
echo "installed, started and uninstalled cleanly"
