#!/usr/bin/env bash
# The Wine harness never takes its prefix or its display from the environment: an inherited
# WINEPREFIX is the user's own, whose data and registry key the tests would delete, and an
# inherited DISPLAY is the user's desktop, where the tests would move the pointer, press keys and
# replace the clipboard. Only QV_WINEPREFIX and QV_DISPLAY name others, on purpose; the run
# command alone (--desktop) starts the program on the user's desktop. A prefix that cannot be
# created stops the command with the end of Wine's log.
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

display_of() {
  env "$@" bash -c "source '$root/scripts/wine-env.sh' && d=\$(qv_chosen_display \$QV_ARGS) && echo \"\${d:-new}\""
}
expect "$(display_of -u QV_DISPLAY DISPLAY=:0)" new "an inherited DISPLAY"
expect "$(display_of -u QV_DISPLAY -u DISPLAY)" new "no display named"
expect "$(display_of DISPLAY=:0 QV_DISPLAY=:77)" :77 "QV_DISPLAY"
expect "$(display_of -u QV_DISPLAY DISPLAY=:0 QV_ARGS=--desktop)" :0 "the run command on the user's desktop"
expect "$(display_of DISPLAY=:0 QV_DISPLAY=:77 QV_ARGS=--desktop)" :77 "the run command with QV_DISPLAY"
expect "$(display_of -u QV_DISPLAY -u DISPLAY QV_ARGS=--desktop)" new "the run command without a desktop"
for command in test.sh bench.sh; do
  if grep -q -- '--desktop' "$root/scripts/$command"; then
    echo "scripts/$command takes the user's desktop"
    failed=1
  fi
done

# A wineboot that fails: the harness says so with its log's end and stops.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf '#!/bin/sh\necho "wine: the loader broke here"\nexit 5\n' >"$scratch/wine"
chmod +x "$scratch/wine"
report=$(env QV_BUILD="$scratch" QV_WINEPREFIX="$scratch/prefix" bash -c "
  source '$root/scripts/wine-env.sh'
  QV_WINE='$scratch/wine' QV_WINESERVER=true
  qv_init_prefix && echo 'carried on'" 2>&1)
case "$report" in
  *"Could not create the Wine prefix $scratch/prefix"*"the loader broke here"*) ;;
  *) echo "a failed wineboot was reported as: $report"; failed=1 ;;
esac
case "$report" in
  *"carried on"*) echo "a failed wineboot did not stop the command"; failed=1 ;;
esac

exit $failed
