# The Windows builds the Windows scripts share, sourced by them: GoogleTest, LAME.EXE, TagLib
# and Kestrune with its tests, each for one architecture (x86_64 or i686) in $out/<arch>/,
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

# A Debian source package unpacked into $2, fetched through the package sources this
# machine is configured with: a private apt state made from the system's own source entries,
# with source packages enabled, so that the system's apt state stays as it is and no server
# is named here.
fetch_debian_source() {
    local package=$1 work=$2 apt_state="$out/apt-sources"
    if [ ! -d "$apt_state/lists" ] || [ -z "$(ls -A "$apt_state/lists" 2>/dev/null | grep -v partial)" ]; then
        rm -rf "$apt_state"
        mkdir -p "$apt_state/lists/partial" "$apt_state/cache/archives/partial" "$apt_state/sources.list.d"
        : >"$apt_state/sources.list"
        if [ -f /etc/apt/sources.list ]; then
            sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >"$apt_state/sources.list"
        fi
        local entries
        for entries in /etc/apt/sources.list.d/*.sources; do
            [ -e "$entries" ] || continue
            sed 's/^Types:.*/Types: deb-src/' "$entries" >"$apt_state/sources.list.d/$(basename "$entries")"
        done
        for entries in /etc/apt/sources.list.d/*.list; do
            [ -e "$entries" ] || continue
            sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$entries" >"$apt_state/sources.list.d/$(basename "$entries")"
        done
    fi
    local apt=(-o "Dir::Etc::SourceList=$apt_state/sources.list"
        -o "Dir::Etc::SourceParts=$apt_state/sources.list.d"
        -o "Dir::State::Lists=$apt_state/lists" -o "Dir::Cache=$apt_state/cache"
        -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)")
    if [ -z "$(ls -A "$apt_state/lists" | grep -v partial)" ]; then
        apt-get "${apt[@]}" -qq update
    fi
    rm -rf "$work" && mkdir -p "$work"
    (cd "$work" && apt-get "${apt[@]}" -qq source "$package" >/dev/null 2>&1)
    find "$work" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1
}

# LAME.EXE from Debian's lame source package. LAME takes its Unicode path for the command
# line and file names only when built by Microsoft's compiler; the test that excludes
# MinGW is lifted, so that this LAME.EXE reads Cyrillic arguments as Windows builds do.
build_lame() {
    local work="$out/lame"
    if [ -f "$work/LAME.EXE" ]; then
        return
    fi
    echo "== LAME.EXE from Debian's lame sources"
    local source
    source="$(fetch_debian_source lame "$work/source")"
    sed -i 's/defined( _WIN32 ) && !defined(__MINGW32__)/defined( _WIN32 )/' "$source"/frontend/*.c
    if ! (cd "$source" && ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix \
        --disable-shared --enable-static --disable-gtktest &&
        make -j2 LDFLAGS="-static -municode") >"$work/build.log" 2>&1; then
        tail -n 30 "$work/build.log"
        return 1
    fi
    cp "$source/frontend/lame.exe" "$work/LAME.EXE"
}

# TagLib from Debian's taglib source package, a static library for one architecture with
# zlib (Debian's libz-mingw-w64-dev) for compressed frames, installed in $out/<arch>/taglib.
# Debian's TagLib takes its UTF-8 helpers from libutfcpp-dev, headers alone.
build_taglib() {
    local arch=$1 build="$out/$1/taglib"
    if [ -f "$build/install/lib/libtag.a" ]; then
        return
    fi
    echo "== TagLib for $arch from Debian's taglib sources"
    if [ ! -d "$out/taglib-source" ]; then
        local source
        source="$(fetch_debian_source taglib "$out/taglib-fetch")"
        mv "$source" "$out/taglib-source"
        rm -rf "$out/taglib-fetch"
    fi
    cmake -S "$out/taglib-source" -B "$build/build" "${toolchain[@]}" -DKESTRUNE_WINDOWS_PROCESSOR="$arch" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_BINDINGS=OFF -DBUILD_TESTING=OFF \
        -DWITH_ZLIB=ON -DZLIB_USE_STATIC_LIBS=ON -DCMAKE_CXX_FLAGS="-isystem /usr/include/utf8cpp" \
        -DCMAKE_INSTALL_PREFIX="$build/install" >"$build.log" 2>&1
    cmake --build "$build/build" -j2 >>"$build.log" 2>&1 || { tail -n 30 "$build.log"; return 1; }
    cmake --install "$build/build" >>"$build.log" 2>&1
}

build_kestrune() {
    local arch=$1
    build_taglib "$arch"
    echo "== Kestrune for $arch"
    cmake -S "$root" -B "$out/$arch/kestrune" "${toolchain[@]}" -DKESTRUNE_WINDOWS_PROCESSOR="$arch" \
        -DKESTRUNE_TOOLKIT=win32 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUNE_WERROR="${KESTRUNE_WERROR:-OFF}" \
        -DGTest_DIR="$out/$arch/googletest/install/lib/cmake/GTest" \
        -DKESTRUNE_TAGLIB_ROOT="$out/$arch/taglib/install" \
        -DKESTRUNE_WINDOWS_LAME="$out/lame/LAME.EXE" -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" >/dev/null
    cmake --build "$out/$arch/kestrune" -j2
}

