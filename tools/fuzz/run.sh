#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   tools/fuzz/run.sh [SECONDS] [TARGET...]      (default: 60 seconds, every target)
# The build goes to build-fuzz (FUZZ_BUILD_DIR overrides); new corpus entries collect in
# tools/fuzz/corpus-work/<target>, crash reproducers in tools/fuzz/corpus-work/<target>-crashes.
set -euo pipefail

seconds=${1:-60}
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(FuzzProjectLoad FuzzParseScript FuzzCsvTokenizer)
fi

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DPELLORA_FUZZ=ON -DPELLORA_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS="$sanitizers" >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2

seed_dir() {
  case "$1" in
    FuzzProjectLoad) echo project_load ;;
    FuzzParseScript) echo parse_script ;;
    FuzzCsvTokenizer) echo csv_tokenizer ;;
  esac
}

status=0
for target in "${targets[@]}"; do
  work="$root/tools/fuzz/corpus-work/$target"
  mkdir -p "$work" "$work-crashes"
  echo "== $target for ${seconds}s"
  "$build/tools/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=1048576 -artifact_prefix="$work-crashes/" -print_final_stats=1 \
    "$work" "$root/tools/fuzz/corpus/$(seed_dir "$target")" || status=1
done
exit $status
