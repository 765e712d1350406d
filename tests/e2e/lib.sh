# Shared driver for the end-to-end journeys: the real program in a real window
# (under Xvfb, see tests/run-under-xvfb), driven with xdotool and checked with
# screenshots and with the files it writes. Source it from a test script:
#
#   source "$(dirname "$0")/lib.sh"
#   e2e_setup                 # private copy of the program and its data folder
#   e2e_start                 # start it and wait for its window
#   e2e_click 400 300         # left click at a picture position (800 x 600)
#   e2e_key Escape            # key down, a pause, key up (xdotool key names)
#   e2e_type "ANNA"           # one key per character (A-Z, 0-9, blank)
#   e2e_screenshot menu       # $ARTIFACTS/<test>_menu.png
#   e2e_pixel menu 10 20      # prints "r g b" of that picture pixel
#   e2e_quit                  # close request (as the close button), waits for the exit
#   e2e_wait_exit 20          # waits for the end by itself; E2E_EXIT_CODE holds the code
#   e2e_find_box Error        # id of a message box with that title (extended regex), or nothing
#   e2e_answer_box ID         # answers the box with Enter, as a player does
#
# Environment (set by ctest): QUORBELS_BIN (the program), QUORBELS_BUILD (the
# build folder holding data/), QUORBELS_ARTIFACTS (where screenshots go).
# Every function fails the test (exit 1, with a message) when something is wrong.

set -euo pipefail

E2E_NAME=$(basename "${0%.sh}")
E2E_DIR=""
E2E_PID=""
E2E_WIN=""
E2E_LOG=""
ARTIFACTS=${QUORBELS_ARTIFACTS:-${QUORBELS_BUILD:-.}/artifacts}

e2e_fail() {
  echo "FAIL ($E2E_NAME): $*" >&2
  if [ -n "$E2E_LOG" ] && [ -s "$E2E_LOG" ]; then
    echo "--- program output ---" >&2
    tail -n 40 "$E2E_LOG" >&2
  fi
  exit 1
}

e2e_cleanup() {
  if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then
    kill -TERM "$E2E_PID" 2>/dev/null || true
    sleep 1
    kill -KILL "$E2E_PID" 2>/dev/null || true
  fi
  if [ -n "$E2E_DIR" ] && [ -d "$E2E_DIR" ]; then rm -rf "$E2E_DIR"; fi
}

# A private copy of the program beside a private copy of the data folder, so the
# files the game writes never touch the build's own data.
e2e_setup() {
  [ -n "${QUORBELS_BIN:-}" ] && [ -x "$QUORBELS_BIN" ] || e2e_fail "QUORBELS_BIN is not set to the program"
  [ -n "${QUORBELS_BUILD:-}" ] && [ -d "$QUORBELS_BUILD/data" ] || e2e_fail "no generated data in QUORBELS_BUILD"
  command -v xdotool >/dev/null || e2e_fail "xdotool is missing (scripts/install-deps)"
  [ -n "${DISPLAY:-}" ] || e2e_fail "no display: run through tests/run-under-xvfb"
  E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/quorbels-e2e-XXXXXX")
  trap e2e_cleanup EXIT
  cp "$QUORBELS_BIN" "$E2E_DIR/quorbels"
  cp -r "$QUORBELS_BUILD/data" "$E2E_DIR/data"
  mkdir -p "$ARTIFACTS"
  E2E_LOG="$E2E_DIR/output.txt"
}

# The data folder of the private copy.
e2e_data() { echo "$E2E_DIR/data"; }

# Writes the 7 option bytes: fullscreen, instructions, aim help, character,
# mouse speed, music volume, sound volume.
e2e_set_options() {
  [ $# -eq 7 ] || e2e_fail "e2e_set_options takes 7 values"
  local bytes=""
  for v in "$@"; do bytes+=$(printf '\\%03o' "$v"); done
  printf "$bytes" >"$E2E_DIR/data/misc/opt.dat"
}

# Starts the program without waiting for anything.
e2e_launch() {
  (cd "$E2E_DIR" && SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} exec ./quorbels) >"$E2E_LOG" 2>&1 &
  E2E_PID=$!
}

# Waits until a window with exactly this name is mapped; prints its id.
e2e_wait_window() {
  local name=$1 timeout=${2:-60} waited=0 id=""
  while [ "$waited" -lt $((timeout * 10)) ]; do
    id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    if [ -n "$E2E_PID" ] && ! kill -0 "$E2E_PID" 2>/dev/null; then return 1; fi
    sleep 0.1
    waited=$((waited + 1))
  done
  return 1
}

# Starts the program and waits for its window (and a moment for the first frames).
e2e_start() {
  e2e_launch
  E2E_WIN=$(e2e_wait_window quorbels "${1:-60}") || e2e_fail "the game window did not appear"
  sleep "${E2E_SETTLE:-2}"
  kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended right after opening its window"
}

# Window geometry: prints "x y width height".
e2e_geometry() {
  local x y w h
  eval "$(xdotool getwindowgeometry --shell "$E2E_WIN")"
  x=$X y=$Y w=$WIDTH h=$HEIGHT
  echo "$x $y $w $h"
}

# Window pixels of a picture position, through the same letterbox as the game
# (the picture is scaled to fit and centred): prints "wx wy".
e2e_map() {
  local px=$1 py=$2 x y w h bw bh bx by
  read -r x y w h <<<"$(e2e_geometry)"
  if [ $((w * 600)) -ge $((h * 800)) ]; then bh=$h; bw=$((h * 800 / 600)); else bw=$w; bh=$((w * 600 / 800)); fi
  bx=$(((w - bw) / 2))
  by=$(((h - bh) / 2))
  echo "$((bx + px * bw / 800)) $((by + py * bh / 600))"
}

# Moves the pointer to a picture position and waits until the game has drawn a
# few frames there: what is clickable is decided by the last frame drawn, and a
# software-rendered frame on a busy machine can take a tenth of a second.
e2e_move() {
  local wx wy
  read -r wx wy <<<"$(e2e_map "$1" "$2")"
  xdotool mousemove --window "$E2E_WIN" "$wx" "$wy"
  sleep "${E2E_AFTER_MOVE:-0.4}"
}

# Clicks at a picture position; button 1 left (default), 2 middle, 3 right.
e2e_click() {
  e2e_move "$1" "$2"
  xdotool mousedown "${3:-1}"
  sleep 0.08
  xdotool mouseup "${3:-1}"
  sleep "${E2E_AFTER_CLICK:-0.5}"
}

# Presses one key (xdotool name such as Escape, Return, space, F1, a, ctrl).
e2e_key() {
  xdotool keydown "$1"
  sleep "${2:-0.12}"
  xdotool keyup "$1"
  sleep 0.2
}

# Types letters, digits and blanks one key at a time.
e2e_type() {
  local text=$1 i c
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    case "$c" in
    " ") e2e_key space ;;
    *) e2e_key "$(echo "$c" | tr 'A-Z' 'a-z')" ;;
    esac
  done
}

# Captures the game window as $ARTIFACTS/<test>_<name>.png; prints the path.
e2e_screenshot() {
  local file="$ARTIFACTS/${E2E_NAME}_$1.png"
  import -window "$E2E_WIN" "$file" 2>/dev/null || e2e_fail "screenshot $1 failed"
  echo "$file"
}

# Prints "r g b" of the window pixel at picture position (x, y) of a screenshot.
e2e_pixel() {
  local file="$ARTIFACTS/${E2E_NAME}_$1.png" wx wy
  read -r wx wy <<<"$(e2e_map "$2" "$3")"
  convert "$file" -format "%[fx:int(255*p{$wx,$wy}.r+0.5)] %[fx:int(255*p{$wx,$wy}.g+0.5)] %[fx:int(255*p{$wx,$wy}.b+0.5)]" info:
}

# Waits for the program to end and sets E2E_EXIT_CODE (call it directly, not in
# $(...): only this shell can collect the program's exit code).
E2E_EXIT_CODE=""
e2e_wait_exit() {
  local timeout=${1:-30} waited=0
  while kill -0 "$E2E_PID" 2>/dev/null; do
    [ "$waited" -lt $((timeout * 10)) ] || e2e_fail "the program did not end within ${timeout}s"
    sleep 0.1
    waited=$((waited + 1))
  done
  E2E_EXIT_CODE=0
  wait "$E2E_PID" || E2E_EXIT_CODE=$?
  E2E_PID=""
}

# Asks the program to close the way the window's close button does (the window
# system's quit request) and waits for the exit; fails unless the exit code is 0.
e2e_quit() {
  kill -TERM "$E2E_PID" 2>/dev/null || e2e_fail "the program is not running"
  e2e_wait_exit "${1:-30}"
  [ "$E2E_EXIT_CODE" -eq 0 ] || e2e_fail "the program ended with code $E2E_EXIT_CODE"
}

# Message boxes. SDL draws its own on X11 and names them in a way xdotool cannot
# read, so they are found by their title through xwininfo. Prints the id of the
# first box whose whole title matches the extended regex, or nothing.
e2e_find_box() {
  xwininfo -root -children 2>/dev/null | sed -n 's/^ *\(0x[0-9a-f]*\) "\(.*\)": .*/\1 \2/p' |
    grep -E "^[^ ]+ (${1})\$" | head -n 1 | cut -d' ' -f1 || true
}

# Answers a box with Enter (its OK button). The box is given the keyboard first:
# a game window that had it and is gone leaves it nowhere.
e2e_answer_box() { xdotool windowfocus --sync "$1" key Return 2>/dev/null || true; }

# Fails unless the program is still running.
e2e_expect_running() { kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program has ended: $*"; }

# For journeys that start the program some other way than the private copy (an
# installed launcher, for example): a scratch folder E2E_DIR removed at the end
# and the program's log, but no copy of the program or its data.
e2e_setup_scratch() {
  command -v xdotool >/dev/null || e2e_fail "xdotool is missing (scripts/install-deps)"
  [ -n "${DISPLAY:-}" ] || e2e_fail "no display: run through tests/run-under-xvfb"
  E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/quorbels-e2e-XXXXXX")
  trap e2e_cleanup EXIT
  mkdir -p "$ARTIFACTS"
  E2E_LOG="$E2E_DIR/output.txt"
}

# Starts a command (which must exec the program, so its process is the game's)
# and waits for the game window like e2e_start: e2e_start_command env X=1 quorbels
e2e_start_command() {
  (cd "$E2E_DIR" && SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} exec "$@") >"$E2E_LOG" 2>&1 &
  E2E_PID=$!
  E2E_WIN=$(e2e_wait_window quorbels 60) || e2e_fail "the game window did not appear"
  sleep "${E2E_SETTLE:-2}"
  kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the program ended right after opening its window"
}

# Polls a check (a command or function) every half second until it succeeds;
# fails the test with `what` after `timeout` seconds: e2e_wait_until 30 "the map" fe_map_shown
e2e_wait_until() {
  local timeout=$1 what=$2 deadline=$((SECONDS + $1))
  shift 2
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || e2e_fail "waited ${timeout}s in vain for $what"
    e2e_expect_running "while waiting for $what"
    sleep 0.5
  done
}

# After a display switch: waits for the re-opened game window of the given size
# (a window other than the current one) and makes it the current window.
e2e_wait_reopened() {
  local width=$1 height=$2 timeout=${3:-60} waited=0 id
  while [ "$waited" -lt $((timeout * 5)) ]; do
    for id in $(xdotool search --onlyvisible --name '^quorbels$' 2>/dev/null || true); do
      [ "$id" != "$E2E_WIN" ] || continue
      eval "$(xdotool getwindowgeometry --shell "$id")"
      if [ "$WIDTH" -eq "$width" ] && [ "$HEIGHT" -eq "$height" ]; then
        E2E_WIN=$id
        return 0
      fi
    done
    e2e_expect_running "during the display switch"
    sleep 0.2
    waited=$((waited + 1))
  done
  e2e_fail "no re-opened ${width}x${height} game window"
}

# Mean brightness (0..255) of a rectangle of picture pixels x0 y0 x1 y1 (inclusive
# corners, 800 x 600 coordinates) in screenshot `name`, through the letterbox.
e2e_brightness() {
  local file="$ARTIFACTS/${E2E_NAME}_$1.png" x0 y0 x1 y1
  read -r x0 y0 <<<"$(e2e_map "$2" "$3")"
  read -r x1 y1 <<<"$(e2e_map "$4" "$5")"
  convert "$file" -crop "$((x1 - x0 + 1))x$((y1 - y0 + 1))+$x0+$y0" +repage -colorspace Gray \
    -format '%[fx:int(255*mean)]' info:
}

# Clicks a label: the pointer rests on it until the game has drawn a frame with
# the pointer there (labels are clickable by what the last frame drew), which on
# a loaded machine takes longer than e2e_click's pause. E2E_HOVER_WAIT seconds.
e2e_click_label() {
  e2e_move "$1" "$2"
  sleep "${E2E_HOVER_WAIT:-0.8}"
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep "${E2E_AFTER_CLICK:-0.5}"
}

# True once the picture is bright (loading, on black, is over): the mean
# brightness of the whole picture is above 60 of 255.
e2e_picture_bright() {
  e2e_screenshot probe >/dev/null
  [ "$(e2e_brightness probe 0 0 799 599)" -gt 60 ]
}

# True while the options screen is shown: the dark navy fill of its tall panel
# covers the grass at both sides of the main menu's panel.
e2e_options_shown() {
  local r g b point
  e2e_screenshot probe >/dev/null
  for point in "285 450" "510 470"; do
    read -r r g b <<<"$(e2e_pixel probe $point)"
    [ "$r" -lt 45 ] && [ "$g" -lt 45 ] && [ "$((b - r))" -gt 4 ] || return 1
  done
}

# Waits until the private copy's options file holds these 7 bytes (written by
# the options screen's "ok", allowing for a slow frame): e2e_options_file_is "0 1 1 1 4 7 7" WHAT
e2e_options_file_is() {
  local want=$1
  _e2e_options_bytes() { [ "$(od -An -tu1 -v "$E2E_DIR/data/misc/opt.dat" | xargs)" = "$want" ]; }
  e2e_wait_until 10 "$2" _e2e_options_bytes
}

# Starts the private copy and waits until the main menu can be clicked.
e2e_start_at_menu() {
  e2e_start
  e2e_wait_until 90 "the title screen" e2e_picture_bright
  sleep 3 # the menu panel slides in
}
