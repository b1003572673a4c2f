#!/usr/bin/env bash
# The Wine harness never takes its prefix from the environment: an inherited WINEPREFIX is the
# user's own, whose data and registry key the tests would delete. Only QV_WINEPREFIX names
# another prefix, on purpose.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
own=$root/build/wineprefix
prefix_of() { env -u QV_BUILD "$@" bash -c "source '$root/scripts/wine-env.sh' && echo \"\$WINEPREFIX\""; }
failed=0
expect() {
  if [ "$1" != "$2" ]; then
    echo "$3: the harness uses $1, not $2"
    failed=1
  fi
}
expect "$(prefix_of -u QV_WINEPREFIX WINEPREFIX=/home/someone/.wine)" "$own" "an inherited WINEPREFIX"
expect "$(prefix_of -u QV_WINEPREFIX -u WINEPREFIX)" "$own" "no prefix named"
expect "$(prefix_of WINEPREFIX=/home/someone/.wine QV_WINEPREFIX=/tmp/qv-prefix)" /tmp/qv-prefix "QV_WINEPREFIX"
exit $failed
