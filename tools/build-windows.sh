#!/usr/bin/env bash
# Builds the Windows program on Debian 12, with nothing but Debian's packages:
#   1. Qt for x86_64-w64-mingw32 from Debian's own qt6-base source package, of exactly the installed qt6-base-dev
#      version (its host tools build the target's moc, uic and rcc steps), as DLLs with only what the program uses.
#      It is built once and kept in ${XDG_CACHE_HOME:-~/.cache}/oruvel/qt-<version>-mingw-<configuration hash>.
#   2. Oruvel.exe and oruvel_set_startup.exe against it (preset "windows"), the GCC runtime linked in.
#   3. build/windows/Oruvel-<version>-windows-x86_64.zip: the programs, the Qt DLLs and plugins they load, bars\,
#      README.txt and Qt's licence texts.
#   tools/build-windows.sh [--qt-only]
set -euo pipefail
cd "$(dirname "$0")/.."
here="$PWD"
tools/setup-deps.sh --windows

jobs="$(nproc)"
qt_package_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)" # 6.4.2+dfsg-10
qt_version="${qt_package_version%%+*}"
qt_version="${qt_version%%-*}"

# What the cached Qt is built from and with; any change gives another cache folder.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_MANUAL_TESTS=OFF
    # The GCC runtime (and its threads) linked into each DLL, so no MinGW DLL has to ship.
    "-DCMAKE_SHARED_LINKER_FLAGS=-static -static-libgcc -static-libstdc++"
    "-DCMAKE_MODULE_LINKER_FLAGS=-static -static-libgcc -static-libstdc++"
    "-DCMAKE_EXE_LINKER_FLAGS=-static -static-libgcc -static-libstdc++"
    # Modules and features the program does not use. QtNetwork is built, though the programs do not link it: leaving
    # it out would change the cache key, and so cost a cold build.
    -DFEATURE_concurrent=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF
    -DFEATURE_testlib=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
    -DFEATURE_ssl=OFF -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF -DFEATURE_dtls=OFF -DFEATURE_http=OFF
    -DFEATURE_networkproxy=OFF -DFEATURE_brotli=OFF -DFEATURE_gssapi=OFF -DFEATURE_libproxy=OFF -DFEATURE_sctp=OFF
    -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF
    -DFEATURE_pdf=OFF -DFEATURE_textodfwriter=OFF -DFEATURE_vkgen=OFF
    # The +dfsg source has no wintab and no iaccessible2.
    -DFEATURE_tabletevent=OFF -DFEATURE_accessibility=OFF
    # Qt's own copies of the image and text libraries, built for the target.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
)
patches=(tools/windows/qt-patches/*.patch)
[ -e "${patches[0]}" ] || patches=()
hash="$( { echo "$qt_package_version"; x86_64-w64-mingw32-g++-posix --version | head -1; printf '%s\n' "${qt_options[@]}";
           cat cmake/mingw-w64-x86_64.cmake ${patches[@]+"${patches[@]}"}; } | sha256sum | cut -c1-12)"
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/oruvel"
qt="$cache_root/qt-$qt_version-mingw-$hash"

if [ -f "$qt/.complete" ]; then
    echo "== Qt $qt_version for mingw-w64: cached in $qt"
else
    echo "== Qt $qt_version for mingw-w64: building from Debian's qt6-base $qt_package_version source (once)"
    started=$SECONDS
    work="$(mktemp -d "${TMPDIR:-/tmp}/oruvel-qt-XXXXXX")"
    trap 'rm -rf "$work"' EXIT
    # A private source list: the machine's own apt configuration stays as it is, and apt checks the source package
    # against the archive's signed index.
    mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/sources.list.d"
    for suite in bookworm bookworm-updates; do
        echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite main"
    done >"$work/apt/sources.list"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security" \
        "bookworm-security main" >>"$work/apt/sources.list"
    apt_private=(-o "Dir::Etc::sourcelist=$work/apt/sources.list" -o "Dir::Etc::sourceparts=$work/apt/sources.list.d"
                 -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache" -o "APT::Sandbox::User=root")
    apt-get "${apt_private[@]}" update -qq
    (cd "$work" && apt-get "${apt_private[@]}" source --download-only "qt6-base=$qt_package_version" >/dev/null)
    (cd "$work" && dpkg-source -x qt6-base_*.dsc src >/dev/null) # Debian's patches applied
    for patch in ${patches[@]+"${patches[@]}"}; do
        echo "applying $patch"
        patch -d "$work/src" -p1 <"$here/$patch"
    done
    cmake -G Ninja -S "$work/src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$qt.partial" "${qt_options[@]}" >"$work/configure.log" 2>&1 ||
        { tail -50 "$work/configure.log"; exit 1; }
    cmake --build "$work/build" --parallel "$jobs" >"$work/build.log" 2>&1 || { tail -50 "$work/build.log"; exit 1; }
    rm -rf "$qt.partial"
    cmake --install "$work/build" >/dev/null
    cp -r "$work/src/LICENSES" "$qt.partial/LICENSES"
    echo "qt6-base $qt_package_version (Debian source package), patches: ${patches[*]:-none}" >"$qt.partial/SOURCE"
    touch "$qt.partial/.complete"
    mv "$qt.partial" "$qt"
    rm -rf "$work"
    trap - EXIT
    echo "== Qt built in $((SECONDS - started)) s: $(du -sh "$qt" | cut -f1) in $qt"
fi
[ "${1:-}" = "--qt-only" ] && exit 0

echo "== the programs' build-time picture maker, for this machine"
cmake -G Ninja -S . -B build/windows-host-tools -DCMAKE_BUILD_TYPE=Release -DORUVEL_BUILD_TESTS=OFF \
    -DORUVEL_BUILD_BENCH=OFF >/dev/null
cmake --build build/windows-host-tools --target make_bar_pictures

echo "== Oruvel.exe and oruvel_set_startup.exe"
cmake --preset windows -DORUVEL_QT_PREFIX="$qt" -DORUVEL_HOST_TOOLS_DIR="$here/build/windows-host-tools/tools" \
    >/dev/null
cmake --build --preset windows
stage="build/windows/stage"
rm -rf "$stage"
cmake --install build/windows --prefix "$stage" >/dev/null
tools/windows/deploy-qt.sh "$qt" "$stage"
version="$(sed -n 's/^project(Oruvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
zip="build/windows/Oruvel-$version-windows-x86_64.zip"
rm -f "$zip"
(cd "$stage" && zip -qr -X "$here/$zip" .)
echo "== $zip: $(du -h "$zip" | cut -f1)"
