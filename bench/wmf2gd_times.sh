#!/usr/bin/env bash
# Times libwmf's wmf2gd (the test oracle) on the files and sizes of
# bench_wmf, for comparison: mean wall time per run over N runs.
#   bench/wmf2gd_times.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
N=${1:-20}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
template=$(ls -S data/Wzory/*.wmf | head -1)
corpus=../shared/wmf-corpus/libreoffice_OSS-Artwork-stackframe.wmf
for file in "$template" "$corpus"; do
  [ -f "$file" ] || continue
  for size in "189 281" "4961 7016"; do
    set -- $size
    start=$(date +%s.%N)
    for _ in $(seq "$N"); do
      wmf2gd -t png --maxwidth="$1" --maxheight="$2" --maxsize -o "$tmp/out.png" "$file"
    done
    end=$(date +%s.%N)
    printf '%-45s %5sx%-5s %8.1f ms\n' "$(basename "$file")" "$1" "$2" "$(awk -v a="$start" -v b="$end" -v n="$N" 'BEGIN { print (b - a) * 1000 / n }')"
  done
done
