#!/usr/bin/env bash
# Builds a static libxlsxwriter from Debian's own source package and installs its
# headers and libxlsxwriter.a into PREFIX.
#
#   build-xlsxwriter.sh TOOLCHAIN PREFIX [SOURCE_CACHE]
#
# TOOLCHAIN is "host" for the machine's own C compiler, or a CMake toolchain file
# (cmake/mingw-w64-x86_64.cmake for Windows, Emscripten's Emscripten.cmake for the
# web page). SOURCE_CACHE is where source packages are downloaded and unpacked,
# once, for every build that names the same folder; it defaults to PREFIX's folder.
#
# Debian's shared library is linked against the system minizip and OpenSSL's MD5.
# The static one here uses the copies of minizip (its zip writer only), MD5 and
# tmpfileplus that come in the same source package, so libxlsxwriter.a needs nothing
# but zlib beside it: libz.a from zlib1g-dev on Linux, from libz-mingw-w64-dev for
# Windows. WebAssembly has no packaged zlib, so an Emscripten build also compiles
# Debian's zlib source package, of the version installed on the machine, into
# PREFIX/lib/libz.a with zlib.h and zconf.h beside libxlsxwriter's headers.
#
# PREFIX/sources.txt says which files come from which source package, and
# PREFIX/share/doc/SOURCE holds each one's debian/copyright and its own licence
# files: the notices of what is built in are made from them (notices/notices.py).
#
# Running it again with everything in place only reads a stamp file. On failure it
# prints one line naming the log file and exits non-zero. Needs no root, but apt must
# know Debian's source packages and the compilers must be there:
# cmake/install-build-deps.sh (as root) sees to both.
set -euo pipefail

# Standard error as the caller gave it: the ERR trap below runs inside loops whose
# output goes to the log, and its one line must still reach the caller.
exec 3>&2
die() {
    echo "build-xlsxwriter: $*" >&3
    exit 1
}

[ $# -ge 2 ] && [ $# -le 3 ] || die "usage: build-xlsxwriter.sh host|TOOLCHAIN_FILE PREFIX [SOURCE_CACHE]"
toolchain="$1"
prefix="$(realpath -m "$2")"
cache="$(realpath -m "${3:-$(dirname "$prefix")}")"

emscripten=0
if [ "$toolchain" != host ]; then
    [ -f "$toolchain" ] || die "no toolchain file $toolchain"
    toolchain="$(realpath "$toolchain")"
    [ "$(basename "$toolchain")" = Emscripten.cmake ] && emscripten=1
fi

# The Debian version to build: the one whose -dev package is installed, so headers
# and behaviour match the shared build; otherwise the one apt would install.
version="$(dpkg-query -W -f='${source:Version}' libxlsxwriter-dev 2>/dev/null || true)"
if [ -z "$version" ]; then
    version="$(apt-cache showsrc libxlsxwriter 2>/dev/null | sed -n 's/^Version: //p' | head -n 1)"
fi
[ -n "$version" ] || die "apt knows no source package libxlsxwriter; run cmake/install-build-deps.sh as root"

# zlib for WebAssembly: the installed zlib's own version, so that the page compresses
# exactly as the Linux program does.
zlib_version=""
if [ "$emscripten" = 1 ]; then
    zlib_version="$(dpkg-query -W -f='${source:Version}' zlib1g 2>/dev/null || true)"
    [ -n "$zlib_version" ] || die "zlib1g is not installed; run cmake/install-build-deps.sh as root"
    command -v emcc >/dev/null && command -v emar >/dev/null ||
        die "no emcc or emar; run cmake/install-build-deps.sh --all as root"
    # Emscripten's link steps run JavaScript tools that load Debian's Node modules.
    export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
fi

# Everything that decides what ends up in PREFIX. A prefix built with other
# settings is built again.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
    # Position-independent, so that it links into a shared module too.
    -DCMAKE_POSITION_INDEPENDENT_CODE=ON
    -DUSE_SYSTEM_MINIZIP=OFF
    -DUSE_OPENSSL_MD5=OFF
    -DUSE_NO_MD5=OFF
    -DUSE_STANDARD_TMPFILE=OFF
    # Numbers in the shortest form that reads back as the same double: 0.69, not
    # the 0.6899999999999999 of printf("%.16g").
    -DUSE_DTOA_LIBRARY=ON
    -DBUILD_TESTS=OFF
    -DBUILD_EXAMPLES=OFF
    -DCMAKE_INSTALL_LIBDIR=lib
)
if [ "$toolchain" = host ]; then
    # The hardening Debian builds its own package with.
    options+=("-DCMAKE_C_FLAGS=-fstack-protector-strong -D_FORTIFY_SOURCE=2")
else
    options+=("-DCMAKE_TOOLCHAIN_FILE=$toolchain")
fi
# zlib's configure would turn these on in zconf.h for a POSIX C library such as
# Emscripten's; without them gzlib.c lacks lseek's declaration.
zlib_flags=(-O2 -DHAVE_UNISTD_H -DHAVE_STDARG_H -DHAVE_HIDDEN)
if [ "$emscripten" = 1 ]; then
    options+=(-DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a")
fi
stamp_text="libxlsxwriter $version $toolchain ${options[*]}"
[ "$emscripten" = 1 ] && stamp_text+=" zlib $zlib_version ${zlib_flags[*]}"
stamp="$prefix/.zelm-xlsxwriter-stamp"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ] &&
    [ -f "$prefix/lib/libxlsxwriter.a" ] && [ -f "$prefix/include/xlsxwriter.h" ] && [ -f "$prefix/sources.txt" ] &&
    { [ "$emscripten" = 0 ] || [ -f "$prefix/lib/libz.a" ]; }; then
    exit 0
fi

mkdir -p "$cache" "$(dirname "$prefix")"
log="$prefix.log"
: >"$log"
stage="preparing"
hint=""
set -o errtrace  # the trap below fires in functions too
trap 'die "$stage failed; see $log$hint"' ERR

# Downloads and unpacks a source package once into the cache, and sets source_dir;
# MARKER is a file the unpacked tree holds. The lock keeps two configure runs sharing
# the cache from unpacking over each other.
fetch_source() {
    local package="$1" package_version="$2" marker="$3"
    source_dir="$cache/$package-$package_version"
    local dsc="$cache/${package}_${package_version#*:}.dsc"
    exec 9>"$cache/.xlsxwriter.lock"
    flock 9
    if [ ! -f "$source_dir/$marker" ]; then
        if [ ! -f "$dsc" ]; then
            stage="apt-get source $package=$package_version"
            hint=" (no deb-src entry? run cmake/install-build-deps.sh as root)"
            echo "== $stage" >>"$log"
            pushd "$cache" >/dev/null
            apt-get source --download-only "$package=$package_version" >>"$log" 2>&1
            popd >/dev/null
            hint=""
        fi
        stage="unpacking $dsc"
        rm -rf "$source_dir.tmp"
        dpkg-source -x "$dsc" "$source_dir.tmp" >>"$log" 2>&1
        mv "$source_dir.tmp" "$source_dir"
    fi
    exec 9>&-
}

# Records that the files of PREFIX matching the PATTERNS come from a source package,
# and keeps its copyright file and its own licence files in PREFIX/share/doc/SOURCE.
record_source() {
    local package="$1" package_version="$2" tree="$3" pattern
    shift 3
    mkdir -p "$prefix/share/doc/$package"
    cp "$tree/debian/copyright" "$prefix/share/doc/$package/copyright"
    find "$tree" -maxdepth 1 -type f \( -iname 'licen[cs]e*' -o -iname 'copying*' \) \
        -exec cp {} "$prefix/share/doc/$package/" \;
    for pattern in "$@"; do
        printf '%s\t%s\t%s\t%s\n' "$pattern" "$package" "$package_version" "share/doc/$package" >>"$prefix/sources.txt"
    done
}

build_dir="$prefix.build"
rm -rf "$build_dir" "$prefix"

# zlib's own CMake build wants a file that Debian's tarball leaves out, and its
# configure script does not know emcc: its library files compiled one by one suffice.
if [ "$emscripten" = 1 ]; then
    fetch_source zlib "$zlib_version" zlib.h
    zlib_source="$source_dir"
    stage="build of zlib $zlib_version with emcc"
    echo "== $stage" >>"$log"
    mkdir -p "$build_dir/zlib-objects" "$prefix/lib" "$prefix/include"
    for c in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees uncompr zutil; do
        emcc "${zlib_flags[@]}" -c "$zlib_source/$c.c" -o "$build_dir/zlib-objects/$c.o"
    done >>"$log" 2>&1
    emar rcs "$prefix/lib/libz.a" "$build_dir"/zlib-objects/*.o >>"$log" 2>&1
    cp "$zlib_source/zlib.h" "$prefix/include/"
    # The installed zconf.h says what the library was compiled with.
    sed -e 's/^#ifdef HAVE_UNISTD_H\b.*/#if 1/' -e 's/^#ifdef HAVE_STDARG_H\b.*/#if 1/' \
        "$zlib_source/zconf.h" >"$prefix/include/zconf.h"
    record_source zlib "$zlib_version" "$zlib_source" lib/libz.a include/zlib.h include/zconf.h
fi

fetch_source libxlsxwriter "$version" CMakeLists.txt
for step in configure build install; do
    stage="$step of libxlsxwriter ($toolchain)"
    echo "== $stage" >>"$log"
    case "$step" in
    configure) cmake -S "$source_dir" -B "$build_dir" -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" ;;
    build) cmake --build "$build_dir" --parallel "$(nproc)" ;;
    install) cmake --install "$build_dir" ;;
    esac >>"$log" 2>&1
done
record_source libxlsxwriter "$version" "$source_dir" lib/libxlsxwriter.a include/xlsxwriter.h 'include/xlsxwriter/*'
rm -rf "$build_dir"
printf '%s\n' "$stamp_text" >"$stamp"
