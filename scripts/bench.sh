#!/usr/bin/env bash
# Builds and runs the speed figures: the native benchmarks (Google Benchmark) and the timings
# under Wine. Reported figures, not tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
cmake --build "$root/build/native" --target QuorvaneBenchmarks -j"$(nproc)" >/dev/null
"$root/build/native/QuorvaneBenchmarks" --benchmark_min_time=0.5
cmake --build "$QV_WINE_BUILD" --target QuorvaneWineFileBench QuorvaneWineMenuBench QuorvaneWineOrganizeBench \
  QuorvaneWineHotkeyBench -j"$(nproc)" >/dev/null
qv_start_display
trap qv_stop EXIT
qv_init_prefix
"$root/scripts/wine-run.sh" "$QV_WINE_BUILD/QuorvaneWineFileBench.exe"
"$root/scripts/wine-run.sh" "$QV_WINE_BUILD/QuorvaneWineMenuBench.exe"
"$root/scripts/wine-run.sh" "$QV_WINE_BUILD/QuorvaneWineOrganizeBench.exe"
# Starts the real program in the project's prefix, as the end-to-end tests do.
"$root/scripts/wine-run.sh" "$QV_WINE_BUILD/QuorvaneWineHotkeyBench.exe"
