#!/usr/bin/env bash
# Builds a static libxlsxwriter from Debian's own source package and installs its
# headers and libxlsxwriter.a into PREFIX.
#
#   build-xlsxwriter.sh TOOLCHAIN PREFIX [SOURCE_CACHE]
#
# TOOLCHAIN is "host" for the machine's own C compiler, or a CMake toolchain file
# (cmake/mingw-w64-x86_64.cmake for Windows). SOURCE_CACHE is where the source
# package is downloaded and unpacked, once, for every build that names the same
# folder; it defaults to PREFIX's folder.
#
# Debian's shared library is linked against the system minizip and OpenSSL's MD5.
# The static one here uses the copies of minizip (its zip writer only), MD5 and
# tmpfileplus that come in the same source package, so libxlsxwriter.a needs nothing
# but zlib beside it: libz.a from zlib1g-dev on Linux, from libz-mingw-w64-dev for
# Windows.
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

if [ "$toolchain" != host ]; then
    [ -f "$toolchain" ] || die "no toolchain file $toolchain"
    toolchain="$(realpath "$toolchain")"
fi

# The Debian version to build: the one whose -dev package is installed, so headers
# and behaviour match the shared build; otherwise the one apt would install.
version="$(dpkg-query -W -f='${source:Version}' libxlsxwriter-dev 2>/dev/null || true)"
if [ -z "$version" ]; then
    version="$(apt-cache showsrc libxlsxwriter 2>/dev/null | sed -n 's/^Version: //p' | head -n 1)"
fi
[ -n "$version" ] || die "apt knows no source package libxlsxwriter; run cmake/install-build-deps.sh as root"

# Everything that decides what ends up in PREFIX. A prefix built with other
# settings is built again.
options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=OFF
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
stamp_text="libxlsxwriter $version $toolchain ${options[*]}"
stamp="$prefix/.zelm-xlsxwriter-stamp"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ] &&
    [ -f "$prefix/lib/libxlsxwriter.a" ] && [ -f "$prefix/include/xlsxwriter.h" ]; then
    exit 0
fi

mkdir -p "$cache" "$(dirname "$prefix")"
log="$prefix.log"
: >"$log"
stage="preparing"
hint=""
trap 'die "$stage failed; see $log$hint"' ERR

# Download and unpack once; the lock keeps two configure runs sharing the cache
# from unpacking over each other.
source_dir="$cache/libxlsxwriter-$version"
dsc="$cache/libxlsxwriter_${version#*:}.dsc"
exec 9>"$cache/.xlsxwriter.lock"
flock 9
if [ ! -f "$source_dir/CMakeLists.txt" ]; then
    if [ ! -f "$dsc" ]; then
        stage="apt-get source libxlsxwriter=$version"
        hint=" (no deb-src entry? run cmake/install-build-deps.sh as root)"
        echo "== $stage" >>"$log"
        (cd "$cache" && apt-get source --download-only "libxlsxwriter=$version") >>"$log" 2>&1
        hint=""
    fi
    stage="unpacking $dsc"
    rm -rf "$source_dir.tmp"
    dpkg-source -x "$dsc" "$source_dir.tmp" >>"$log" 2>&1
    mv "$source_dir.tmp" "$source_dir"
fi
exec 9>&-

build_dir="$prefix.build"
rm -rf "$build_dir" "$prefix"
for step in configure build install; do
    stage="$step of libxlsxwriter ($toolchain)"
    echo "== $stage" >>"$log"
    case "$step" in
    configure) cmake -S "$source_dir" -B "$build_dir" -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" ;;
    build) cmake --build "$build_dir" --parallel "$(nproc)" ;;
    install) cmake --install "$build_dir" ;;
    esac >>"$log" 2>&1
done
rm -rf "$build_dir"
printf '%s\n' "$stamp_text" >"$stamp"
