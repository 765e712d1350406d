#!/usr/bin/env bash
# A restless player on the real program: random pointer moves, clicks and keys for
# a number of minutes, in every screen the clicks happen to reach. When the program
# ends by itself (a "Quit" clicked at random), it must have ended cleanly, and it
# is started again. Fails on a crash, a sanitizer report or any other non-zero
# exit, and when the program does not close on request at the end.
#
#   tests/run-under-xvfb tests/e2e/monkey.sh MINUTES SEED
#
# Run it through scripts/monkey, which builds the checking build and sets
# QUORBELS_BIN and QUORBELS_BUILD (see lib.sh).
source "$(dirname "$0")/lib.sh"
set +e # xdotool may fail while a window closes; the program's state decides

minutes=${1:-10}
seed=${2:-1}
RANDOM=$seed

# Reports that end the program at once, with the report in the program's log.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

REPORT='AddressSanitizer|UndefinedBehaviorSanitizer|runtime error|LeakSanitizer'

# Fails when the program's log holds a sanitizer report.
check_log() {
  if grep -E -q "$REPORT" "$E2E_LOG"; then
    cp "$E2E_LOG" "$ARTIFACTS/monkey_report.txt"
    e2e_fail "sanitizer report after $actions actions (seed $seed), kept in $ARTIFACTS/monkey_report.txt"
  fi
}

# The current game window: a display switch closes the window and opens another.
refresh_window() {
  local id
  id=$(xdotool search --onlyvisible --name '^quorbels$' 2>/dev/null | head -n 1)
  [ -n "$id" ] && E2E_WIN=$id
}

random_point() { echo "$((RANDOM % 800)) $((RANDOM % 600))"; }

move_to() {
  local wx wy
  read -r wx wy <<<"$(e2e_map "$1" "$2" 2>/dev/null)"
  [ -n "$wx" ] && xdotool mousemove --window "$E2E_WIN" "$wx" "$wy" 2>/dev/null
}

press() {
  xdotool mousedown "$1" 2>/dev/null
  sleep 0.05
  xdotool mouseup "$1" 2>/dev/null
}

tap() {
  xdotool keydown "$1" 2>/dev/null
  sleep 0.05
  xdotool keyup "$1" 2>/dev/null
}

letters=(a b c d e f g h i j k l m n o p q r s t u v w x y z)

# Where the screens' labels sit (menu entries, "ok", "Yes"/"No", shop and map
# buttons, option values): random clicks alone seldom hit a small label, and would
# leave the run in the first screen with one.
hotspots=("400 300" "400 363" "400 395" "400 412" "400 427" "400 454" "400 491" "400 545"
  "400 547" "400 562" "88 286" "115 573" "120 322" "300 400" "308 210" "320 473" "342 432"
  "345 510" "348 210" "348 260" "348 310" "365 460" "425 410" "440 322" "520 322" "659 235"
  "680 322")

# One random action. Most of them move the pointer and click the left button, as a
# player mostly does; the rest cover every other input the game reads.
act() {
  local roll=$((RANDOM % 100))
  if [ "$roll" -lt 35 ]; then
    move_to $(random_point)
  elif [ "$roll" -lt 55 ]; then
    [ $((RANDOM % 2)) -eq 0 ] && move_to $(random_point)
    press 1
  elif [ "$roll" -lt 75 ]; then
    # The pointer rests on the label until a frame has been drawn with it there.
    move_to ${hotspots[RANDOM % ${#hotspots[@]}]}
    sleep 0.3
    press 1
  elif [ "$roll" -lt 80 ]; then
    press 3
  elif [ "$roll" -lt 83 ]; then
    press 2
  elif [ "$roll" -lt 86 ]; then
    tap Escape
  elif [ "$roll" -lt 88 ]; then
    tap space
  elif [ "$roll" -lt 90 ]; then
    tap Control_L
  elif [ "$roll" -lt 93 ]; then
    tap "F$((1 + RANDOM % 3))"
  elif [ "$roll" -lt 97 ]; then
    tap "${letters[RANDOM % 26]}"
  elif [ "$roll" -lt 98 ]; then
    tap Return
  elif [ "$roll" -lt 99 ]; then
    tap BackSpace
  else
    tap "F$((5 + RANDOM % 5))"
  fi
  sleep "0.$((RANDOM % 3))$((RANDOM % 10))"
}

actions=0
starts=1
e2e_setup
e2e_start 120
end=$((SECONDS + minutes * 60))
while [ "$SECONDS" -lt "$end" ]; do
  if ! kill -0 "$E2E_PID" 2>/dev/null; then
    e2e_wait_exit 10
    check_log
    [ "$E2E_EXIT_CODE" -eq 0 ] || e2e_fail "the program ended with code $E2E_EXIT_CODE after $actions actions (seed $seed)"
    e2e_start 120
    starts=$((starts + 1))
  fi
  refresh_window
  act
  actions=$((actions + 1))
  # A picture now and then shows which screens the run reached.
  [ $((actions % 250)) -eq 0 ] && e2e_screenshot "$(printf 'seed%d_%05d' "$seed" "$actions")" >/dev/null 2>&1
done
check_log
e2e_expect_running "at the end of the run"
kill -TERM "$E2E_PID" 2>/dev/null
e2e_wait_exit 60
check_log
[ "$E2E_EXIT_CODE" -eq 0 ] || e2e_fail "the program ended with code $E2E_EXIT_CODE on the close request (seed $seed)"
echo "monkey: $actions random actions in $minutes min, $starts program starts, seed $seed: no crash, no sanitizer report"
