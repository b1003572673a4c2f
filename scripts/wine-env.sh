# The Wine harness, sourced by the run and test commands: a project-local Wine prefix, a display
# of its own unless one is named on purpose, and a stop that ends only what this harness
# started, by PID.

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QV_BUILD=${QV_BUILD:-$QV_ROOT/build}
# Never an inherited WINEPREFIX: that is the user's own, whose Quorvane data, registry key and
# wineserver the tests would delete and stop. QV_WINEPREFIX names another prefix on purpose.
export WINEPREFIX=${QV_WINEPREFIX:-$QV_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
QV_XVFB_PID=""

# The 32-bit program runs under the 32-bit Wine loader. Some kernels cannot execute 32-bit
# binaries at all; there the tests run the 64-bit build of the same sources under 64-bit Wine.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  QV_WINE_ARCH=i686
  QV_WINE=/usr/lib/wine/wine
  QV_WINESERVER=/usr/lib/wine/wineserver32
else
  QV_WINE_ARCH=x86_64
  QV_WINE=/usr/lib/wine/wine64
  QV_WINESERVER=/usr/lib/wine/wineserver64
  export WINELOADER=$QV_WINE
fi
export WINESERVER=$QV_WINESERVER
# The build whose programs run here.
QV_WINE_BUILD=$QV_BUILD/win-$QV_WINE_ARCH

# The display the Windows programs get. The tests move the pointer, press keys and replace the
# clipboard on it, so an inherited DISPLAY (the user's desktop) is never theirs: they get a new
# Xvfb unless QV_DISPLAY names a display on purpose. --desktop (the run command, which starts
# the user's program for the user) keeps an inherited DISPLAY. Prints the display to use, or
# nothing when a new one is to be started.
qv_chosen_display() {
  if [ -n "${QV_DISPLAY:-}" ]; then
    echo "$QV_DISPLAY"
  elif [ "${1:-}" = --desktop ]; then
    echo "${DISPLAY:-}"
  fi
}

qv_start_display() {
  local chosen
  chosen=$(qv_chosen_display "$@")
  if [ -n "$chosen" ]; then
    export DISPLAY=$chosen
    return 0
  fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >"$QV_BUILD/xvfb.log" 2>&1 &
    QV_XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$QV_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      echo "Started Xvfb on $DISPLAY (pid $QV_XVFB_PID)."
      return 0
    fi
  done
  echo "Could not start Xvfb" >&2
  return 1
}

# Creates and configures the prefix once. A prefix that cannot be created stops the command here,
# with the end of Wine's log, rather than failing the tests far from the cause.
qv_init_prefix() {
  mkdir -p "$QV_BUILD"
  local log=$QV_BUILD/wineboot.log
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX ..."
    local status=0
    "$QV_WINE" wineboot -i >"$log" 2>&1 || status=$?
    [ "$status" -eq 0 ] && { "$QV_WINESERVER" -w >>"$log" 2>&1 || status=$?; }
    if [ "$status" -ne 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "Could not create the Wine prefix $WINEPREFIX (wineboot exit status $status). The end of $log:" >&2
      tail -n 30 "$log" >&2
      return 1
    fi
  fi
  if [ ! -f "$WINEPREFIX/.quorvane-configured" ]; then
    # Without a window manager, Wine waits two seconds for one at every hide of a window it hands
    # over; the tests' virtual display has none, so Wine keeps every window to itself.
    if ! "$QV_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1 ||
       ! "$QV_WINESERVER" -w >>"$log" 2>&1; then
      echo "Could not configure the Wine prefix $WINEPREFIX. The end of $log:" >&2
      tail -n 30 "$log" >&2
      return 1
    fi
    touch "$WINEPREFIX/.quorvane-configured"
  fi
}

# Ends the prefix's Wine processes and the Xvfb this harness started; nothing else.
qv_stop() {
  "$QV_WINESERVER" -k 2>/dev/null || true
  if [ -n "$QV_XVFB_PID" ]; then
    kill "$QV_XVFB_PID" 2>/dev/null || true
    wait "$QV_XVFB_PID" 2>/dev/null || true
    QV_XVFB_PID=""
  fi
}
