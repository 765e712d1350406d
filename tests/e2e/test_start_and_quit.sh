#!/usr/bin/env bash
# Starting and closing the game. A missing or short options file stops the start
# with a message naming it and writes nothing; with a good one the window opens
# as "quorbels", 800 x 600 (or covering the display with the full-screen option,
# the picture centred between black bars), and a close request ends the program
# with code 0 after rewriting the save once, with unchanged content. Switching to
# full screen on the options screen re-opens the window on the whole display, and
# closing the program right after the switch still saves.
source "$(dirname "$0")/lib.sh"
e2e_setup
misc="$(e2e_data)/misc"
save="$misc/hsc.dat"

# A failed start: the message names the file (on stderr, and in a message box
# where the display can show one: that box closes with Enter), the program ends
# with a non-zero code and no game window opens.
expect_failed_start() {
  local what=$1 box waited=0
  e2e_launch
  while kill -0 "$E2E_PID" 2>/dev/null && [ "$waited" -lt 300 ]; do
    xdotool search --onlyvisible --name '^quorbels$' >/dev/null 2>&1 && e2e_fail "$what: the game window opened"
    box=$(e2e_find_box Error)
    if [ -n "$box" ]; then
      E2E_WIN=$box
      e2e_screenshot "$what" >/dev/null
      e2e_answer_box "$box"
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  e2e_wait_exit 20
  [ "$E2E_EXIT_CODE" -ne 0 ] || e2e_fail "$what: exit code 0"
  grep -q "data/misc/opt.dat" "$E2E_LOG" || e2e_fail "$what: the message does not name opt.dat"
}

save_sum=$(md5sum <"$save")
save_inode=$(stat -c %i "$save")

rm "$misc/opt.dat"
expect_failed_start missing_options
[ ! -e "$misc/opt.dat" ] || e2e_fail "a missing options file was created"

printf '\000\001\001\001\004\007' >"$misc/opt.dat"
expect_failed_start short_options
[ "$(stat -c %s "$misc/opt.dat")" -eq 6 ] || e2e_fail "the short options file was changed"
[ "$(stat -c %i "$save")" = "$save_inode" ] || e2e_fail "a failed start touched hsc.dat"

# Windowed.
e2e_set_options 0 1 1 1 4 7 7
e2e_start
[ "$(xdotool getwindowname "$E2E_WIN")" = quorbels ] || e2e_fail "window title"
read -r _ _ w h <<<"$(e2e_geometry)"
[ "$w" -eq 800 ] && [ "$h" -eq 600 ] || e2e_fail "the window is ${w}x${h}, not 800x600"
e2e_screenshot windowed >/dev/null
e2e_quit
[ "$(md5sum <"$save")" = "$save_sum" ] || e2e_fail "hsc.dat content changed"
[ "$(stat -c %i "$save")" != "$save_inode" ] || e2e_fail "hsc.dat was not rewritten at exit"
[ ! -e "$save.tmp" ] || e2e_fail "a temporary save file was left behind"
[ "$(stat -c %s "$save")" -eq 1092 ] || e2e_fail "hsc.dat has the wrong size"

# Full screen on a display larger than the picture and not 4:3.
e2e_set_options 1 1 1 1 4 7 7
save_inode=$(stat -c %i "$save")
e2e_start
read -r _ _ w h <<<"$(e2e_geometry)"
read -r dw dh <<<"$(xdotool getdisplaygeometry)"
[ "$w" -eq "$dw" ] && [ "$h" -eq "$dh" ] || e2e_fail "full screen window is ${w}x${h} on a ${dw}x${dh} display"
shot=$(e2e_screenshot fullscreen)
if [ $((w * 600)) -gt $((h * 800)) ]; then
  bar=$(convert "$shot" -format "%[fx:int(255*p{2,$((h / 2))}.r)] %[fx:int(255*p{2,$((h / 2))}.g)] %[fx:int(255*p{2,$((h / 2))}.b)]" info:)
  [ "$bar" = "0 0 0" ] || e2e_fail "the bar beside the picture is $bar, not black"
fi
e2e_quit
[ "$(md5sum <"$save")" = "$save_sum" ] || e2e_fail "hsc.dat content changed after the full-screen run"
[ "$(stat -c %i "$save")" != "$save_inode" ] || e2e_fail "hsc.dat was not rewritten after the full-screen run"
# Display switch from the options screen ("Fullscreen": "Yes"), then a close
# request before the options are confirmed.
e2e_set_options 0 1 1 1 4 7 7
save_inode=$(stat -c %i "$save")
e2e_start
old_win=$E2E_WIN
# The menu takes clicks once the title screen has run; on a busy machine that
# can take a while, so the two clicks are repeated until the window switches.
switched=""
for _ in 1 2 3 4 5 6 7 8; do
  # Once the old window is gone, the switch is under way: only wait.
  if xdotool getwindowname "$old_win" >/dev/null 2>&1; then
    e2e_click 400 491         # "Options" on the main menu
    sleep 1.5                 # the options panel slides in
    e2e_click 308 210         # "Fullscreen": "Yes"
  fi
  for _ in $(seq 1 50); do
    for id in $(xdotool search --onlyvisible --name '^quorbels$' 2>/dev/null || true); do
      eval "$(xdotool getwindowgeometry --shell "$id")"
      if [ "$WIDTH" -eq "$dw" ] && [ "$HEIGHT" -eq "$dh" ]; then switched=$id; fi
    done
    [ -n "$switched" ] && break 2
    e2e_expect_running "during the display switch"
    sleep 0.2
  done
done
[ -n "$switched" ] || e2e_fail "the window was not re-opened on the whole display"
[ "$switched" != "$old_win" ] || e2e_fail "the window was not re-opened"
E2E_WIN=$switched
sleep 3                     # the re-opened window rebuilds its pictures
e2e_screenshot switched_to_fullscreen >/dev/null
e2e_quit
[ "$(stat -c %i "$save")" != "$save_inode" ] || e2e_fail "closing right after a display switch did not save"
[ "$(md5sum <"$save")" = "$save_sum" ] || e2e_fail "hsc.dat content changed after the display switch"
[ "$(head -c 1 "$misc/opt.dat" | od -An -tu1 | tr -d ' ')" = 0 ] || e2e_fail "options written without ok"
echo "start and quit: passed"
