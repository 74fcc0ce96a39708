#!/usr/bin/env bash
# Debian's checker on a .deb (zelm-fs or python3-zelm-fs): every tag it gives is
# listed (information and pedantic ones too, and the ones the package overrides), and
# it fails on any error or warning but those only the package's owner can settle: the
# maintainer's mail address, which is given when configuring (ZELM_MAINTAINER) and
# never kept in the repository, lacks in the control file (malformed-contact) and the
# changelog's signature (bogus-mail-host-in-debian-changelog).
#
#   lintian.sh PACKAGE.deb
set -euo pipefail
[ $# = 1 ] && [ -f "$1" ] || {
    echo "lintian.sh: usage: lintian.sh PACKAGE.deb" >&2
    exit 2
}
owner_tags='malformed-contact|bogus-mail-host-in-debian-changelog'

echo "lintian $(lintian --print-version) on $1:"
tags="$(lintian --display-info --pedantic --show-overrides --tag-display-limit 0 "$1" 2>&1 | grep -v "running with root privileges" || true)"
printf '%s\n' "${tags:-(no tag)}" | sed 's/^/  /'
unsettled="$(printf '%s\n' "$tags" | grep -E '^[EW]: ' | grep -vE "^[EW]: [^ ]+ (${owner_tags}) " || true)"
if [ -n "$unsettled" ]; then
    echo "lintian.sh: errors or warnings the package must not have:" >&2
    printf '%s\n' "$unsettled" >&2
    exit 1
fi
