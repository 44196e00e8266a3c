# Sourced by the scripts that show a program on a virtual display and save screenshots of it
# (screenshot-form, gallery), after env.sh. The display prefix has no null graphics driver; each
# run gets an Xvfb display of its own (the first free number from CALDERAN_DISPLAY, 78 by default).

# at_exit COMMAND: runs COMMAND when the script ends, after those added before (one EXIT trap
# would otherwise replace the other). An interrupted or terminated script ends through its EXIT
# trap too, so what it started does not outlive it.
display_exits=()
at_exit() {
  display_exits+=("$1")
  trap 'for display_exit in "${display_exits[@]}"; do eval "$display_exit"; done' EXIT
  trap 'exit 129' HUP
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

# Waits for the prefix's programs to end, a minute at most: a program left running by an earlier
# run that was killed would otherwise keep the wait going for ever. Such programs are ended.
wait_prefix_idle() {
  timeout 60 wineserver -w || {
    echo "display: programs of $WINEPREFIX still ran after a minute: ended" >&2
    wineserver -k >/dev/null 2>&1 || true
  }
}

# use_display_prefix [PREFIX]: the Wine prefix for real windows (build/wineprefix-display unless
# named), made once.
use_display_prefix() {
  export WINEPREFIX="${1:-$build/wineprefix-display}"
  if [ ! -f "$WINEPREFIX/.calderan-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wine64 wineboot -i >/dev/null 2>&1 </dev/null || true
    wine64 reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null 2>&1 </dev/null
    wait_prefix_idle
    touch "$WINEPREFIX/.calderan-ready"
  fi
  copy_wine_fonts
  # Without a window manager on the display, Wine draws the window frames and captions itself.
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 </dev/null
  wait_prefix_idle
}

# start_display WIDTHxHEIGHT: a virtual display and a persistent wineserver, both ended on exit.
start_display() {
  local n=${CALDERAN_DISPLAY:-78}
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  export DISPLAY=:$n
  Xvfb "$DISPLAY" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 </dev/null &
  display_xvfb=$!
  wineserver -p >/dev/null 2>&1 </dev/null || true
  at_exit 'kill $display_xvfb 2>/dev/null || true; wineserver -k >/dev/null 2>&1 || true'
  sleep 1
}

# shoot OUT SETTLE PROGRAM ARGS...: starts the program (which closes itself), waits SETTLE seconds,
# saves the screen to OUT and waits for the program to end. A program that ended before the picture
# was taken leaves a blank picture: that is reported with what the program wrote on its error
# stream (a gallery page that fails writes its error there and ends).
shoot() {
  local out=$1 settle=$2
  shift 2
  local errors
  errors=$(mktemp)
  "$@" >/dev/null 2>"$errors" </dev/null &
  local app=$!
  sleep "$settle"
  if ! kill -0 "$app" 2>/dev/null; then
    echo "shoot: the program ended before the picture of $out was taken:" >&2
    cat "$errors" >&2
  fi
  import -window root "$out"
  wait "$app" || true
  rm -f "$errors"
}
