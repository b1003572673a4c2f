#!/usr/bin/env bash
# Builds the fuzz target of the data file and the imports with clang (libFuzzer, AddressSanitizer,
# UBSan) and runs it for a bounded time from the seeds in fuzz/corpus. Exits non-zero on any crash,
# leak, hang or failed check; the input that caused it is left in build/fuzz/artifacts/.
#   QV_FUZZ_SECONDS  run time (default 30)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
seconds=${QV_FUZZ_SECONDS:-30}

mkdir -p "$build"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DQV_FUZZ=ON >"$build/configure.log" 2>&1 ||
  { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" --target DataFileFuzz -j"$(nproc)"

# New inputs go to a scratch corpus in the build; the committed seeds stay as they are.
mkdir -p "$build/corpus" "$build/artifacts"
echo "== Fuzzing the data-file reader and the imports for ${seconds}s"
"$build/DataFileFuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
  "$build/corpus" "$root/fuzz/corpus" 2>"$build/fuzz.log" || {
  status=$?
  tail -n 60 "$build/fuzz.log" >&2
  echo "Fuzzing failed (exit $status); see $build/fuzz.log and $build/artifacts/" >&2
  exit "$status"
}
grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|Done )" "$build/fuzz.log" || true
