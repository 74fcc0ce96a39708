#!/usr/bin/env bash
# Times release programs on a 10^7-row sweep (entries 30 2 2.5 100000 0.01 1.5) against
# `cp` of the very file they wrote, in the same run and the same temporary folder (in
# memory, under /dev/shm, where there is one), taking
# turns 7 times, and prints the median of each, each program's ratio to cp, the peak
# memory at 10^5 and 10^7 rows, and the size. Give two programs (an earlier build and
# this one) to compare them in one run; the files they write must be the same.
#
#   bash bench/sweep.sh [path/to/zelm-fs ...]    (default: builds the release preset)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ ! -x /usr/bin/time ]; then
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends time
fi

programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
    cmake --preset default >/dev/null
    cmake --build --preset default --target zelm-fs >/dev/null
    programs=("$PWD/build/default/zelm-fs")
fi
for i in "${!programs[@]}"; do
    programs[i]="$(realpath "${programs[i]}")"
done

# In memory, where there is a tmpfs, so that the disk does not decide.
folder="$(mktemp -d -p "$([ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")"
trap 'rm -rf "$folder"' EXIT
cd "$folder"

# Runs the command on the given entries; prints "wall_seconds peak_kilobytes".
measure() {
    local entries="$1"
    shift
    local start=$EPOCHREALTIME
    echo "$entries" | /usr/bin/time -f '%M' -o time.txt "$@" >/dev/null 2>&1
    local end=$EPOCHREALTIME
    echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $(cat time.txt)"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

declare -A times peak small
cp_times=""
for round in 1 2 3 4 5 6 7; do
    for i in "${!programs[@]}"; do
        rm -f ZELM_FS_result.xls
        read -r seconds kb < <(measure "30 2 2.5 100000 0.01 1.5" "${programs[i]}")
        times[$i]+="$seconds "
        peak[$i]=$kb
        if [ "$i" -eq 0 ]; then
            mv ZELM_FS_result.xls first.xls
        elif ! cmp -s ZELM_FS_result.xls first.xls; then
            echo "${programs[i]} writes another file than ${programs[0]}" >&2
            exit 1
        fi
    done
    read -r seconds _ < <(measure "" cp first.xls copy.xls)
    cp_times+="$seconds "
    rm -f copy.xls
done
for i in "${!programs[@]}"; do
    read -r _ small[$i] < <(measure "30 2 2.5 1000 0.01 1.5" "${programs[i]}")
done

cp_median=$(echo "$cp_times" | tr ' ' '\n' | grep . | median)
echo "rows:            $(($(wc -l <first.xls) - 6))"
echo "file size:       $(stat -c %s first.xls) bytes"
echo "cp of the file:  $cp_median s (median of 7)"
for i in "${!programs[@]}"; do
    run=$(echo "${times[$i]}" | tr ' ' '\n' | grep . | median)
    echo "${programs[i]}: $run s, $(awk -v a="$run" -v b="$cp_median" 'BEGIN { printf "%.2f", a / b }')x cp;" \
        "peak memory ${peak[$i]} KB at 10^7 rows, ${small[$i]} KB at 10^5"
done
