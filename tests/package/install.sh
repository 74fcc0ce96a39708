#!/usr/bin/env bash
# The .deb installed and removed as its user meets it: dpkg -i on a system without the
# package, zelm-fs run from PATH by an ordinary user, the manual page and every file
# the manual names where it says, then dpkg -r, after which nothing of the package is
# left. It all happens in a copy-on-write view of this machine (an overlay of / in a
# mount namespace of its own): the machine itself is never changed, and two runs at
# once never meet. Needs root (CI runs as root).
#
#   install.sh PACKAGE.deb EXPECTED_RESULT_FILE
set -euo pipefail
die() {
    echo "install.sh: $*" >&2
    exit 1
}
[ $# = 2 ] && [ -f "$1" ] && [ -f "$2" ] || die "usage: install.sh PACKAGE.deb EXPECTED_RESULT_FILE"
[ "$(id -u)" = 0 ] || die "needs root, for dpkg and for a mount namespace of its own"
deb="$(realpath "$1")"
expected="$(realpath "$2")"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/upper" "$work/overlay-work" "$work/root"

# In the namespace: / seen through the overlay, with /dev, /proc and a /tmp of its own.
unshare --mount --propagation private bash -euo pipefail -s "$deb" "$expected" "$work" <<'NAMESPACE'
deb="$1" expected="$2" work="$3"
root="$work/root"
mount -t overlay overlay -o "lowerdir=/,upperdir=$work/upper,workdir=$work/overlay-work" "$root"
mount --rbind /dev "$root/dev"
mount -t proc proc "$root/proc"
mount -t tmpfs tmpfs "$root/tmp"
cp "$deb" "$root/tmp/zelm-fs.deb"
cp "$expected" "$root/tmp/expected.xls"
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./|/|p' | grep -v '/$' >"$root/tmp/files"

chroot "$root" /bin/bash -euo pipefail <<'INSIDE'
fail() { echo "install.sh: $*" >&2; exit 1; }
! dpkg -s zelm-fs >/dev/null 2>&1 || fail "zelm-fs is installed already"
dpkg -i /tmp/zelm-fs.deb

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

dpkg -r zelm-fs
! dpkg -s zelm-fs >/dev/null 2>&1 || dpkg -s zelm-fs | grep -q '^Status: .* not-installed$' ||
    fail "dpkg still knows zelm-fs after dpkg -r: $(dpkg -s zelm-fs | grep ^Status)"
while read -r file; do
    [ ! -e "$file" ] || fail "$file is left after dpkg -r"
done </tmp/files
for folder in /usr/share/doc/zelm-fs /usr/share/zelm-fs; do
    [ ! -e "$folder" ] || fail "$folder is left after dpkg -r"
done
! compgen -G '/var/lib/dpkg/info/zelm-fs.*' >/dev/null || fail "dpkg's records of zelm-fs are left"
echo "dpkg -r: none of the package's files is left"
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
