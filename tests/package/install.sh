#!/usr/bin/env bash
# The two .debs installed and removed as their users meet them: dpkg -i on a system
# without them, zelm-fs run from PATH by an ordinary user, the manual page and every
# file the manual names where it says; the module imported by Debian's python3, by an
# ordinary user and by root, writing the same result file, with its help; then dpkg -r,
# after which nothing of either package is left. It all happens in a copy-on-write view
# of this machine (an overlay of / in a mount namespace of its own): the machine itself
# is never changed, and two runs at once never meet. Needs root (CI runs as root).
#
#   install.sh zelm-fs.deb python3-zelm-fs.deb EXPECTED_RESULT_FILE
set -euo pipefail
die() {
    echo "install.sh: $*" >&2
    exit 1
}
[ $# = 3 ] && [ -f "$1" ] && [ -f "$2" ] && [ -f "$3" ] ||
    die "usage: install.sh zelm-fs.deb python3-zelm-fs.deb EXPECTED_RESULT_FILE"
[ "$(id -u)" = 0 ] || die "needs root, for dpkg and for a mount namespace of its own"
deb="$(realpath "$1")"
module_deb="$(realpath "$2")"
expected="$(realpath "$3")"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/upper" "$work/overlay-work" "$work/root"

# In the namespace: / seen through the overlay, with /dev, /proc and a /tmp of its own.
unshare --mount --propagation private bash -euo pipefail -s "$deb" "$module_deb" "$expected" "$work" <<'NAMESPACE'
deb="$1" module_deb="$2" expected="$3" work="$4"
root="$work/root"
mount -t overlay overlay -o "lowerdir=/,upperdir=$work/upper,workdir=$work/overlay-work" "$root"
mount --rbind /dev "$root/dev"
mount -t proc proc "$root/proc"
mount -t tmpfs tmpfs "$root/tmp"
cp "$deb" "$root/tmp/zelm-fs.deb"
cp "$module_deb" "$root/tmp/python3-zelm-fs.deb"
cp "$expected" "$root/tmp/expected.xls"
for package in "$deb" "$module_deb"; do
    dpkg-deb --fsys-tarfile "$package" | tar -t | sed -n 's|^\./|/|p' | grep -v '/$'
done >"$root/tmp/files"

chroot "$root" /bin/bash -euo pipefail <<'INSIDE'
fail() { echo "install.sh: $*" >&2; exit 1; }
for package in zelm-fs python3-zelm-fs; do
    ! dpkg -s $package >/dev/null 2>&1 || fail "$package is installed already"
done
dpkg -i /tmp/zelm-fs.deb /tmp/python3-zelm-fs.deb
for file in /usr/share/doc/{zelm-fs,python3-zelm-fs}/{copyright,changelog.gz}; do
    [ -f "$file" ] || fail "$file, Debian's copyright file or changelog, is not there"
done

# zelm-fs from PATH, run by an ordinary user in a folder of its own.
[ "$(command -v zelm-fs)" = /usr/bin/zelm-fs ] || fail "zelm-fs is not /usr/bin/zelm-fs on PATH"
mkdir /tmp/run && chown nobody /tmp/run
(cd /tmp/run && setpriv --reuid=nobody --regid=nogroup --clear-groups zelm-fs 30 2 2.5 20 1 1.5) ||
    fail "zelm-fs failed on the traced values"
cmp /tmp/run/ZELM_FS_result.xls /tmp/expected.xls || fail "the traced run's result file differs"
echo "zelm-fs from PATH, as nobody: the traced run's result file as expected"

# The manual, and each file it names (FILES) and the notices --version names.
man -w zelm-fs | grep -qx /usr/share/man/man1/zelm-fs.1.gz || fail "man finds no zelm-fs(1)"
MANPAGER=cat man zelm-fs 2>/dev/null | grep -q "^COPYRIGHT" || fail "man zelm-fs shows no manual"
named="$(zcat /usr/share/man/man1/zelm-fs.1.gz | sed -n '/^\.SH FILES/,/^\.SH EXAMPLES/p' | grep -o '^\.B /usr/[^ ]*' | cut -c4-)"
[ -n "$named" ] || fail "the manual names no installed file"
for file in $named "$(zelm-fs --version | tail -n 1)"; do
    [ -f "$file" ] || fail "$file, named by the manual or --version, is not there"
    echo "there, as the manual or --version says: $file"
done

# The module, imported by Debian's python3 alone (-I: from where dpkg put it, not from
# this folder or PYTHONPATH), by an ordinary user and then by root, who may leave
# compiled modules beside it; and its help, as help() shows it.
for user in nobody root; do
    mkdir /tmp/run-$user && chown $user /tmp/run-$user
    (cd /tmp/run-$user && setpriv --reuid=$user --regid="$(id -gn $user)" --clear-groups /usr/bin/python3 -I -c '
import zelm_fs
assert zelm_fs.__file__ == "/usr/lib/python3/dist-packages/zelm_fs/__init__.py", zelm_fs.__file__
zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5).write("ZELM_FS_result.xls")') || fail "zelm_fs failed on the traced values, as $user"
    cmp /tmp/run-$user/ZELM_FS_result.xls /tmp/expected.xls || fail "the module's traced run differs, as $user"
done
help="$(/usr/bin/python3 -I -c 'import zelm_fs; help(zelm_fs)')" || fail "help(zelm_fs) failed"
for name in "sweep(" "slope_angle(" "write_workbook(" ZelmWarning; do
    [[ "$help" == *"$name"* ]] || fail "help(zelm_fs) does not show $name"
done
echo "zelm_fs from Debian's python3, as nobody and as root: the traced run's result file as expected; help() shows it"

dpkg -r python3-zelm-fs zelm-fs
for package in zelm-fs python3-zelm-fs; do
    ! dpkg -s $package >/dev/null 2>&1 || dpkg -s $package | grep -q '^Status: .* not-installed$' ||
        fail "dpkg still knows $package after dpkg -r: $(dpkg -s $package | grep ^Status)"
    ! compgen -G "/var/lib/dpkg/info/$package.*" >/dev/null || fail "dpkg's records of $package are left"
done
while read -r file; do
    [ ! -e "$file" ] || fail "$file is left after dpkg -r"
done </tmp/files
for folder in /usr/share/doc/zelm-fs /usr/share/zelm-fs /usr/share/doc/python3-zelm-fs \
    /usr/lib/python3/dist-packages/zelm_fs; do
    [ ! -e "$folder" ] || fail "$folder is left after dpkg -r: $(find "$folder" | head -n 5)"
done
echo "dpkg -r: none of the packages' files is left"
INSIDE
NAMESPACE

# What the install and the removal changed on the system, dpkg's own records and logs
# and the manual's index apart: nothing.
left="$(cd "$work/upper" && find . -mindepth 1 \( -type f -o -type l -o -type c \) |
    grep -vE '^\./(var/lib/dpkg|var/log|var/cache/man|var/cache/debconf|tmp|root)/' || true)"
if [ -n "$left" ]; then
    die "left behind on the system after dpkg -r: $(echo $left)"
fi
echo "install.sh: installed, run and removed; nothing left behind"
