#!/bin/sh
# Runs a link command and records the files the linker read, one a line, in
# OUTPUT.linked beside the OUTPUT it makes (-o OUTPUT), after a first line naming
# the folder the link ran in: the notices of the code of others inside a program
# are made from that list (notices.py collect). Set as a target's linker launcher.
#
#   record-link.sh LINK COMMAND...
set -eu
output=""
previous=""
for argument in "$@"; do
    if [ "$previous" = "-o" ]; then
        output="$argument"
    fi
    previous="$argument"
done
if [ -z "$output" ]; then
    echo "record-link: the link command names no -o OUTPUT" >&2
    exit 1
fi
list="$output.linked"
printf '# %s\n' "$PWD" >"$list.tmp"
# The linker's trace goes to standard output, as every file is opened.
if "$@" -Wl,--trace >>"$list.tmp"; then
    mv "$list.tmp" "$list"
else
    status=$?
    rm -f "$list.tmp"
    exit "$status"
fi
