#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix (CTest's emulator for the Windows
# build). Output goes through a file: programs the test starts inherit Wine's descriptors and
# would keep a pipe open after the test itself ended.
source "$(dirname "$0")/wine-env.sh"
log=$(mktemp "${TMPDIR:-/tmp}/qv-wine.XXXXXX")
"$QV_WINE" "$@" >"$log" 2>&1
rc=$?
cat "$log"
rm -f "$log"
# For tests that pass on their output, which ignores the exit code.
[ $rc -eq 0 ] || echo "wine-run: exit code $rc"
exit $rc
