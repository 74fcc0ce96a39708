#!/usr/bin/env bash
# Installs the Debian packages that the build needs and that a fresh machine may
# lack (with --python, also those of the Python module; with --all, also those of every
# check in .ci/run), and makes sure apt knows where Debian's source packages are (the
# static libxlsxwriter for the release and Windows builds is compiled from Debian's own
# source package; see cmake/build-xlsxwriter.sh). Runs itself with sudo when not run as root. Idempotent: when
# everything is present it changes nothing and finishes in well under a second.
set -euo pipefail
if [ "$(id -u)" != 0 ]; then  # apt-get needs root
    exec sudo bash "$0" "$@"
fi

# One "package:path" pair a line: the package is installed when the path (a file,
# a command name without a slash, or a glob) is missing. First what the build and
# its ordinary test suite need; with --all, also what the other checks of .ci/run
# need: the sanitizers and fuzzers (Clang), the Windows build under Wine, LibreOffice
# reading the files back, the benchmark, the Windows archive's text manual, the
# web page (Emscripten, Node.js and npm for the page's npm packages, Chromium for its
# tests, and pdftoppm to turn a printed page into pictures), and lintian for the .deb.
checks=(
    "cmake:cmake"
    "make:make"
    "gcc:gcc"
    "g++:g++"
    "pkg-config:pkg-config"
    "dpkg-dev:/usr/bin/dpkg-source"          # apt-get source unpacks with it
    "zlib1g-dev:/usr/lib/x86_64-linux-gnu/libz.a"
    "libxlsxwriter-dev:/usr/include/xlsxwriter.h"
    "libcli11-dev:/usr/include/CLI/CLI.hpp"
    "libfmt-dev:/usr/include/fmt/format.h"
    "libfast-float-dev:/usr/include/fast_float/fast_float.h"
    "libgtest-dev:/usr/include/gtest/gtest.h"
    "python3:/usr/bin/python3"               # the notices of the code of others (notices/)
)
# The Python module (--python, and --all): pybind11 and Debian's Python with its headers,
# numpy, pytest, and what pip builds and installs the module with, offline; matplotlib
# for the example in doc/, pandas for the DataFrame.
if [ "${1-}" = --all ] || [ "${1-}" = --python ]; then
    checks+=(
        "pybind11-dev:/usr/lib/cmake/pybind11/pybind11Config.cmake"
        "python3-dev:/usr/include/python3*/Python.h"
        "python3-numpy:/usr/lib/python3/dist-packages/numpy/__init__.py"
        "python3-pytest:/usr/lib/python3/dist-packages/pytest/__init__.py"
        "python3-skbuild:/usr/lib/python3/dist-packages/skbuild/__init__.py"
        "python3-setuptools:/usr/lib/python3/dist-packages/setuptools/__init__.py"
        "python3-wheel:/usr/lib/python3/dist-packages/wheel/__init__.py"
        "python3-build:/usr/lib/python3/dist-packages/build/__init__.py"
        "python3-venv:/usr/lib/python3.*/ensurepip/__init__.py"
        "python3-matplotlib:/usr/lib/python3/dist-packages/matplotlib/__init__.py"
        "python3-pandas:/usr/lib/python3/dist-packages/pandas/__init__.py"
        "python3-dask:/usr/lib/python3/dist-packages/dask/__init__.py"
        "python3-distributed:/usr/lib/python3/dist-packages/distributed/__init__.py"
    )
fi
if [ "${1-}" = --all ]; then
    checks+=(
        "clang:clang++"
        "libclang-rt-dev:/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a"
        "libbenchmark-dev:/usr/include/benchmark/benchmark.h"
        "gcc-mingw-w64-x86-64-posix:x86_64-w64-mingw32-gcc-posix"
        "g++-mingw-w64-x86-64-posix:x86_64-w64-mingw32-g++-posix"
        "libz-mingw-w64-dev:/usr/x86_64-w64-mingw32/lib/libz.a"
        "wine:wine"
        "wine64:/usr/lib/wine/wine64"
        "libreoffice-calc-nogui:soffice"
        "groff-base:groff"
        "emscripten:em++"
        "chromium:/usr/lib/chromium/chromium"
        "poppler-utils:pdftoppm"
        "lintian:lintian"
        # Only where the machine has no Node.js or npm of its own at all.
        "nodejs:node"
        "npm:npm"
    )
fi

# Source packages that builds fetch with apt-get source (cmake/build-xlsxwriter.sh:
# zlib for the WebAssembly build).
source_packages=(libxlsxwriter zlib)

present() {
    case "$1" in
    */*) compgen -G "$1" >/dev/null ;;
    *) command -v "$1" >/dev/null ;;
    esac
}

missing=()
for pair in "${checks[@]}"; do
    package="${pair%%:*}"
    path="${pair#*:}"
    present "$path" || missing+=("$package")
done

# A deb-src twin of every Debian "deb" entry this machine already uses, written
# only when apt has no source entry at all. It is derived here, at run time, from
# the machine's own apt configuration, so it follows whatever archive or mirror the
# machine is set up for.
src_list=/etc/apt/sources.list.d/zelm-deb-src.sources
has_deb_src() {
    grep -qsE '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list && return 0
    grep -qsiE '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources && return 0
    return 1
}

# deb822 stanzas (*.sources) whose Types include "deb" and whose URIs serve Debian
# (they carry the Debian archive keyring or a suite of Debian's), copied with
# Types: deb-src and without any Architectures line.
deb822_twins() {
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        [ "$f" = "$src_list" ] && continue
        awk '
            function flush() {
                if (n > 0 && is_deb && is_debian) {
                    for (i = 1; i <= n; i++) print lines[i]
                    print ""
                }
                n = 0; is_deb = 0; is_debian = 0
            }
            /^[[:space:]]*$/ { flush(); next }
            /^[[:space:]]*#/ { next }
            /^Types:/ {
                for (i = 2; i <= NF; i++) if ($i == "deb") is_deb = 1
                lines[++n] = "Types: deb-src"; next
            }
            /^Architectures:/ { next }
            /^Signed-By:.*debian-archive-keyring/ { is_debian = 1 }
            /^Suites:/ { if ($0 ~ /(bookworm|trixie|bullseye|sid|stable|testing|unstable)/) is_debian = 1 }
            { lines[++n] = $0 }
            END { flush() }
        ' "$f"
    done
}

# One-line "deb URI SUITE COMPONENTS" entries, as in /etc/apt/sources.list.
one_line_twins() {
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        awk '$1 == "deb" && $0 ~ /debian/ { $1 = "deb-src"; print }' "$f"
    done
}

need_update=0
if ! has_deb_src; then
    twins_822="$(deb822_twins)"
    twins_line="$(one_line_twins)"
    if [ -n "$twins_822" ]; then
        printf '# Written by cmake/install-build-deps.sh: source twins of the deb entries.\n%s\n' \
            "$twins_822" >"$src_list"
    elif [ -n "$twins_line" ]; then
        src_list=/etc/apt/sources.list.d/zelm-deb-src.list
        printf '# Written by cmake/install-build-deps.sh: source twins of the deb entries.\n%s\n' \
            "$twins_line" >"$src_list"
    else
        echo "install-build-deps: found no Debian deb entry in apt's sources to derive a deb-src entry from" >&2
        exit 1
    fi
    echo "install-build-deps: added $src_list"
    need_update=1
fi

# An entry whose index was never downloaded knows no source package yet.
for package in "${source_packages[@]}"; do
    [ -n "$(apt-cache showsrc "$package" 2>/dev/null | head -n 1)" ] || need_update=1
done

if [ ${#missing[@]} -gt 0 ] || [ "$need_update" = 1 ]; then
    apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "install-build-deps: installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
