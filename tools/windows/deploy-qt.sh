#!/usr/bin/env bash
# Makes an installed Windows program folder whole: the Qt DLLs the programs import, the plugins Qt loads (the Windows
# platform, the Windows style, the image formats), a short README.txt and Qt's licence texts with where its source
# is. Debian has no windeployqt for this target: the imports come from objdump -p.
#   deploy-qt.sh QT_PREFIX PROGRAM_FOLDER
set -euo pipefail
qt="$1"
folder="$2"
objdump=x86_64-w64-mingw32-objdump
strip=x86_64-w64-mingw32-strip

mkdir -p "$folder/plugins/platforms" "$folder/plugins/styles" "$folder/plugins/imageformats"
cp "$qt/plugins/platforms/qwindows.dll" "$folder/plugins/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/plugins/styles/"
for format in qgif qico qjpeg; do # BMP and PNG are read by Qt itself
    cp "$qt/plugins/imageformats/$format.dll" "$folder/plugins/imageformats/"
done
# Qt's own texts in the program's language: the same translation files as Debian's (they are not built for a system).
mkdir -p "$folder/translations"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$folder/translations/"
# Qt finds its plugins in plugins\ beside the programs.
printf '[Paths]\nPlugins = plugins\n' >"$folder/qt.conf"

# Every Qt DLL that a program or plugin imports, and what those import in turn.
added=1
while [ "$added" -eq 1 ]; do
    added=0
    while read -r dll; do
        if [ ! -f "$folder/$dll" ] && [ -f "$qt/bin/$dll" ]; then
            cp "$qt/bin/$dll" "$folder/"
            added=1
        fi
    done < <(find "$folder" -name '*.exe' -o -name '*.dll' | xargs "$objdump" -p | awk '/DLL Name:/ {print $3}' | sort -u)
done
# Nothing may be left that neither Windows nor the folder has.
missing=""
while read -r dll; do
    case "$dll" in
    Qt6*.dll) [ -f "$folder/$dll" ] || missing="$missing $dll" ;;
    lib*.dll) missing="$missing $dll" ;; # a MinGW runtime DLL: the runtime is meant to be linked in
    esac
done < <(find "$folder" -name '*.exe' -o -name '*.dll' | xargs "$objdump" -p | awk '/DLL Name:/ {print $3}' | sort -u)
[ -z "$missing" ] || { echo "not in the folder:$missing" >&2; exit 1; }
find "$folder" -name '*.exe' -o -name '*.dll' | xargs "$strip" --strip-unneeded

mkdir -p "$folder/licenses/Qt"
cp "$qt/LICENSES/"* "$folder/licenses/Qt/"
cat >"$folder/licenses/Qt/SOURCE.txt" <<TEXT
The Qt libraries and plugins in this folder (Qt6*.dll, plugins\\) are Qt $(sed -n 's/^qt6-base \([^ ]*\).*/\1/p' "$qt/SOURCE")
built unchanged from Debian's qt6-base source package of that version, with Debian's own patches, by
tools/build-windows.sh of Oruvel's source. Qt is free software under the GNU Lesser General Public License
version 3 (LGPL-3.0-only.txt); you may replace these DLLs with your own build of that Qt version.
The source: https://packages.debian.org/source/bookworm/qt6-base  ($(cat "$qt/SOURCE"))
TEXT
cat >"$folder/README.txt" <<'TEXT'
Oruvel - live disk read and write rates
=======================================

A small floating window with two bars: how fast the disks are read and written, each filled to the share of a
full-scale rate you choose (25 MB/s unless you change it). Its icon in the notification area shows both loads;
double-click it (or start Oruvel.exe again) for the settings, right-click it or the window for the menu.

Start:     Oruvel.exe (this folder can live anywhere you can write to)
Settings:  Oruvel_Settings.ini beside Oruvel.exe; where this folder cannot be written, %APPDATA%\Oruvel\
Places:    the window positions, in the registry under HKEY_CURRENT_USER\Software\Quorlane\Oruvel
At login:  the settings' start-at-login box runs oruvel_set_startup.exe, which registers a Task Scheduler logon
           task (this needs administrator rights once); oruvel_set_startup.exe /create or /remove does the same.

Qt is used under the LGPL: see licenses\Qt\.
TEXT
# Windows line ends for the texts a Windows user opens.
for text in "$folder/README.txt" "$folder/licenses/Qt/SOURCE.txt"; do
    sed -i 's/$/\r/' "$text"
done
