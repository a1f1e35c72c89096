#!/usr/bin/env bash
# Export benchmark: a 60-second show of 12 photos of 4000 x 3000 pixels with music, exported at
# 1280x720 and 1920x1080, 30 fps, with x264 at quality-vs-speed 0 (fastest) and 50, next to the
# encoder alone on the very same frames (rendered once more and dumped raw beforehand). The other
# encoder settings are the export dialog's defaults: rate mode "Quality" at quality 100.
#
#   bash bench/export_bench.sh            # uses the build folder "build"; BUILD=dir to choose another
#
# Needs about 16 GB of free space in TMPDIR for the raw 1920x1080 frames. Takes a quarter of an hour
# on two cores.
set -euo pipefail

BUILD=${BUILD:-build}
cmake --build "$BUILD" --target pellora-export-bench >/dev/null
BENCH="$BUILD/bench/pellora-export-bench"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/pellora-bench-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
mkdir -m 700 "$WORK/runtime"
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime"

load() { cut -d' ' -f1-3 /proc/loadavg; }
# The value of key=value in a line of figures.
field() { sed -n "s/.*\<$1=\([^ ]*\).*/\1/p" <<<"$2"; }

echo "machine: $(nproc) cores,$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2); load $(load)"
"$BENCH" make-show "$WORK/show" >/dev/null
PROJECT="$WORK/show/project.txt"

printf '\n%-10s %5s | %7s %6s %7s | %7s %7s %7s %7s | %7s %6s | %s\n' size speed wall_s fps peak_mb \
  prepare render convert encode enc_only ratio "load before"
for size in 1280x720 1920x1080; do
  dump=$("$BENCH" dump "$PROJECT" "$WORK/frames.raw" "$size")
  rows=()
  for speed in 0 50; do
    before=$(load)
    export_line=$("$BENCH" export "$PROJECT" "$WORK/export.mp4" "$size" "$speed")
    encode_line=$("$BENCH" encode "$PROJECT" "$WORK/frames.raw" "$WORK/alone.mp4" "$size" "$speed")
    frames=$(field frames "$export_line")
    wall=$(field wall_s "$export_line")
    convert=$(awk -v ms="$(field convert_ms_per_frame "$encode_line")" -v n="$frames" 'BEGIN { printf "%.2f", ms * n / 1000 }')
    encode=$(awk -v e="$(field encode_s "$export_line")" -v c="$convert" 'BEGIN { printf "%.2f", e - c }')
    alone=$(field encode_s "$encode_line")
    ratio=$(awk -v w="$wall" -v a="$alone" 'BEGIN { printf "%.2f", w / a }')
    rows+=("$(printf '%-10s %5s | %7s %6s %7s | %7s %7s %7s %7s | %7s %6s | %s' "$size" "$speed" "$wall" \
      "$(field fps "$export_line")" "$(field peak_mb "$export_line")" "$(field prepare_s "$export_line")" \
      "$(field render_s "$export_line")" "$convert" "$encode" "$alone" "$ratio" "$before")")
  done
  printf '%s\n' "${rows[@]}"
  echo "           render alone (same frames, no encoder): $(field render_fps "$dump") fps"
  rm -f "$WORK/frames.raw"
done
echo
echo "wall_s/fps/peak_mb: the whole export (reading the project to the finished file), its frames per"
echo "second and peak memory. prepare: photos and show assembly. render: drawing and read-back on the"
echo "render thread. convert: RGB to YUV on the encoder thread (timed alone on 300 dumped frames). encode:"
echo "the rest of the encoder thread's busy time. enc_only: the same frames encoded alone, reading the"
echo "dump not counted. ratio = wall_s / enc_only. Load at the end: $(load)"
