#!/usr/bin/env bash
# Times the release program on a 10^7-row sweep (entries 30 2 2.5 100000 0.01 1.5)
# against `cp` of the very file it wrote, in the same run and the same temporary
# folder, and prints the ratio, the peak memory at 10^5 and 10^7 rows, and the size.
#
#   bash bench/sweep.sh [path/to/zelm-fs]    (default: builds the release preset)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ ! -x /usr/bin/time ]; then
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends time
fi

program="${1:-}"
if [ -z "$program" ]; then
    cmake --preset default >/dev/null
    cmake --build --preset default --target zelm-fs >/dev/null
    program="$PWD/build/default/zelm-fs"
fi
program="$(realpath "$program")"

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
cd "$folder"

# Runs the command on the given entries; prints "wall_seconds peak_kilobytes".
measure() {
    local entries="$1"
    shift
    local start=$EPOCHREALTIME
    echo "$entries" | /usr/bin/time -f '%M' -o time.txt "$@" >/dev/null
    local end=$EPOCHREALTIME
    echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') $(cat time.txt)"
}

read -r _ small_kb < <(measure "30 2 2.5 1000 0.01 1.5" "$program")
small_rows=$(($(wc -l <ZELM_FS_result.xls) - 6))
rm ZELM_FS_result.xls

read -r run_s run_kb < <(measure "30 2 2.5 100000 0.01 1.5" "$program")
rows=$(($(wc -l <ZELM_FS_result.xls) - 6))
bytes=$(stat -c %s ZELM_FS_result.xls)
read -r cp_s _ < <(measure "" cp ZELM_FS_result.xls copy.xls)

echo "rows:            $rows"
echo "file size:       $bytes bytes"
echo "zelm-fs:         $run_s s"
echo "cp of its file:  $cp_s s"
echo "ratio:           $(awk -v a="$run_s" -v b="$cp_s" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }')x"
echo "peak memory:     $run_kb KB at $rows rows, $small_kb KB at $small_rows rows"
