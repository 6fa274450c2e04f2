#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Разработчики Vibrona
# SPDX-License-Identifier: GPL-3.0-or-later

# Time and peak memory of vibrona-batch on a project of M = N = 2^24 samples of five
# sine waves (K = 2^23): the recalculation alone, then with each text export. The
# export's own cost is its time and memory beyond the recalculation alone.
#   bash bench/batch-exports.sh [path/to/vibrona-batch] [repetitions]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BATCH="${1:-$ROOT/build/src/batch/vibrona-batch}"
REPS="${2:-3}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

{
  printf '[General]\r\ndt=0,00025\r\nM=16777216\r\nC=0\r\nSignalsCount=5\r\n'
  printf '[DFT]\r\nN=16777216\r\nK=8388608\r\nWindow=0\r\n'
  for j in 0 1 2 3 4; do
    k=$((2 * j + 1))
    a=$(awk -v k="$k" 'BEGIN { printf "%.15g", 4 / atan2(0, -1) / k }' | tr . ,)
    printf '[Signal%d]\r\nActive=1\r\nAmplitude=%s\r\nVelocity=0\r\nFrequency=%d\r\n' "$j" "$a" $((50 * k))
    printf 'DampingFactor=0\r\nFi=0\r\n'
  done
} > "$WORK/p.vbf"

# The best of REPS runs: seconds and peak resident MiB.
measure() {
  local name="$1"; shift
  local best_s="" best_mib=""
  for _ in $(seq "$REPS"); do
    rm -f "$WORK"/out.txt
    LC_ALL=ru_RU.UTF-8 /usr/bin/time -f '%e %M' -o "$WORK/time" "$BATCH" "$WORK/p.vbf" "$@" >/dev/null
    read -r s kib < "$WORK/time"
    mib=$((kib / 1024))
    if [ -z "$best_s" ] || awk -v a="$s" -v b="$best_s" 'BEGIN { exit !(a < b) }'; then best_s=$s; fi
    if [ -z "$best_mib" ] || [ "$mib" -lt "$best_mib" ]; then best_mib=$mib; fi
  done
  local size=""
  [ -f "$WORK/out.txt" ] && size=" $(( $(stat -c %s "$WORK/out.txt") / 1000000 )) MB"
  printf '%-16s %6.2f s %6d MiB peak%s\n' "$name" "$best_s" "$best_mib" "$size"
}

measure recalculation
measure curve --curve "$WORK/out.txt"
measure spectrum --spectrum "$WORK/out.txt"
