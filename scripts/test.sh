#!/usr/bin/env bash
# Builds everything and runs all tests: native unit tests, Win32 tests under Wine and the
# end-to-end tests that drive the real Quorvane.exe, and a bounded fuzzing run of the data-file
# reader. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"

echo "== Native unit tests"
(cd "$root/build/native" && ctest --output-on-failure)

echo "== Fuzzing"
"$root/scripts/fuzz.sh"

qv_start_display
trap qv_stop EXIT
qv_init_prefix
echo "== Win32 tests and end-to-end tests under Wine"
(cd "$QV_WINE_BUILD" && ctest --output-on-failure)
