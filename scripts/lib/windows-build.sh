# The Windows builds the Windows scripts share, sourced by them: GoogleTest, LAME.EXE and
# Kestrune with its tests, each for one architecture (x86_64 or i686) in $out/<arch>/,
# built once and brought up to date on later calls. Needs root, out and wine set.

toolchain=("-DCMAKE_TOOLCHAIN_FILE=$root/cmake/mingw-w64.cmake" -G Ninja)

# GoogleTest from Debian's sources, built with the same compiler as the tests.
build_googletest() {
    local arch=$1 build="$out/$1/googletest"
    if [ ! -f "$build/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
        echo "== GoogleTest for $arch"
        cmake -S /usr/src/googletest -B "$build" "${toolchain[@]}" \
            -DKESTRUNE_WINDOWS_PROCESSOR="$arch" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_INSTALL_PREFIX="$build/install" >/dev/null
        cmake --build "$build" -j2 >/dev/null
        cmake --install "$build" >/dev/null
    fi
}

# LAME.EXE from Debian's lame source package, fetched with a private apt state so that the
# system's package sources stay as they are. LAME takes its Unicode path for the command
# line and file names only when built by Microsoft's compiler; the test that excludes
# MinGW is lifted, so that this LAME.EXE reads Cyrillic arguments as Windows builds do.
build_lame() {
    local work="$out/lame"
    if [ -f "$work/LAME.EXE" ]; then
        return
    fi
    echo "== LAME.EXE from Debian's lame sources"
    rm -rf "$work" && mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
    echo "deb-src http://deb.debian.org/debian bookworm main" >"$work/apt/sources.list"
    local apt=(-o "Dir::Etc::SourceList=$work/apt/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
        -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
        -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)")
    apt-get "${apt[@]}" -qq update
    (cd "$work" && apt-get "${apt[@]}" -qq source lame >/dev/null 2>&1)
    local source
    source="$(find "$work" -maxdepth 1 -type d -name 'lame-*' | head -n 1)"
    sed -i 's/defined( _WIN32 ) && !defined(__MINGW32__)/defined( _WIN32 )/' "$source"/frontend/*.c
    if ! (cd "$source" && ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix \
        --disable-shared --enable-static --disable-gtktest &&
        make -j2 LDFLAGS="-static -municode") >"$work/build.log" 2>&1; then
        tail -n 30 "$work/build.log"
        return 1
    fi
    cp "$source/frontend/lame.exe" "$work/LAME.EXE"
}

build_kestrune() {
    local arch=$1
    echo "== Kestrune for $arch"
    cmake -S "$root" -B "$out/$arch/kestrune" "${toolchain[@]}" -DKESTRUNE_WINDOWS_PROCESSOR="$arch" \
        -DKESTRUNE_TOOLKIT=win32 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUNE_WERROR="${KESTRUNE_WERROR:-OFF}" \
        -DGTest_DIR="$out/$arch/googletest/install/lib/cmake/GTest" \
        -DKESTRUNE_WINDOWS_LAME="$out/lame/LAME.EXE" -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" >/dev/null
    cmake --build "$out/$arch/kestrune" -j2
}

