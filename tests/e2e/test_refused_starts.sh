#!/usr/bin/env bash
# Starts the game refuses, and ends it cannot make, said plainly. Without a
# display the program ends at once with one message and a non-zero code instead
# of running unseen. A second copy on the same saves shows a message box saying
# the game is already running (the box is seen on the display and answered with
# Enter), ends with a non-zero code and touches no file, while the first copy
# plays on. A save that fails at exit is reported in a box, and the exit code
# says so.
source "$(dirname "$0")/lib.sh"
e2e_setup
misc="$(e2e_data)/misc"
misc_sums() { (cd "$misc" && ls -A && md5sum -- *); }
e2e_set_options 0 0 1 1 4 7 7
before=$(misc_sums)

# Waits up to `seconds` for a box titled "Error"; prints its id.
wait_box() {
  local seconds=$1 waited=0 box=""
  while [ -z "$box" ] && [ "$waited" -lt $((seconds * 10)) ]; do
    box=$(e2e_find_box Error)
    [ -n "$box" ] || sleep 0.1
    waited=$((waited + 1))
  done
  echo "$box"
}

# No display at all.
(cd "$E2E_DIR" && env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy timeout 20 ./quorbels) \
  >"$E2E_DIR/headless.txt" 2>&1 && code=0 || code=$?
[ "$code" -ne 124 ] || e2e_fail "without a display the program ran on unseen"
[ "$code" -ne 0 ] || e2e_fail "without a display the program ended with code 0"
[ "$(grep -c '^Error: ' "$E2E_DIR/headless.txt")" -eq 1 ] || e2e_fail "not exactly one message without a display"
grep -q 'No display to show the game on: neither DISPLAY nor WAYLAND_DISPLAY is set' "$E2E_DIR/headless.txt" ||
  e2e_fail "the message does not say that there is no display: $(cat "$E2E_DIR/headless.txt")"
[ "$(misc_sums)" = "$before" ] || e2e_fail "the start without a display changed a file"
echo "no display: one message, exit code $code"

# A second copy while the first one runs.
e2e_start
(cd "$E2E_DIR" && SDL_AUDIODRIVER=dummy exec ./quorbels) >"$E2E_DIR/second.txt" 2>&1 &
second=$!
box=$(wait_box 30)
[ -n "$box" ] || e2e_fail "the second copy showed no message box"
first_win=$E2E_WIN
E2E_WIN=$box
e2e_screenshot already_running >/dev/null
E2E_WIN=$first_win
grep -q 'Quorbels is already running' "$E2E_DIR/second.txt" || e2e_fail "the second copy did not say the game is running"
kill -0 "$second" 2>/dev/null || e2e_fail "the second copy ended before its box was answered"
e2e_answer_box "$box"
for _ in $(seq 100); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
kill -0 "$second" 2>/dev/null && e2e_fail "the second copy did not end after its box was answered"
wait "$second" && code=0 || code=$?
[ "$code" -ne 0 ] || e2e_fail "the second copy ended with code 0"
[ "$(misc_sums)" = "$before" ] || e2e_fail "the second copy changed a file of data/misc"
e2e_expect_running "after the second copy was refused"
echo "second copy: box seen and answered, exit code $code, no file touched"

# The save at exit fails: a folder stands where the save goes.
mv "$misc/hsc.dat" "$E2E_DIR/hsc.dat.good"
mkdir "$misc/hsc.dat"
touch "$misc/hsc.dat/in-the-way"
kill -TERM "$E2E_PID"
box=$(wait_box 30)
[ -n "$box" ] || e2e_fail "the failed save showed no message box"
e2e_answer_box "$box"
e2e_wait_exit 20
[ "$E2E_EXIT_CODE" -ne 0 ] || e2e_fail "a failed save at exit ended with code 0"
grep -q 'could not be saved' "$E2E_LOG" || e2e_fail "the failed save was not reported"
rm -r "$misc/hsc.dat"
mv "$E2E_DIR/hsc.dat.good" "$misc/hsc.dat"
echo "failed save at exit: reported, exit code $E2E_EXIT_CODE"

# The saves are free again: the next start runs and ends cleanly.
e2e_start
e2e_quit
echo "refused starts: passed"
