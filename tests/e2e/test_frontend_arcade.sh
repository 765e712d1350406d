#!/usr/bin/env bash
# An arcade game from the main menu to the hall of fame: cylinder size 8, the
# Forest theme, stones pulled onto one column until the stack touches the danger
# line, a qualifying score (the lowest entry of the prepared table is 0), a name
# typed with the keyboard, the hall of fame with the new entry, quit. The save
# holds the name and the score in the table of size 8 afterwards.
source "$(dirname "$0")/frontend_common.sh"
e2e_setup
fe_patch_i32 misc/hsc.dat 0 0   # lowest entry of the size-8 table: 0
e2e_set_options 0 0 1 1 4 7 7   # no instructions at the game start
fe_start_at_title

fe_click 400 395  # "Arcade mode"
sleep 0.9
fe_shot cylinder_size
fe_click 342 432  # "8"
sleep 0.9
fe_shot theme
fe_click 400 412  # "Forest"
sleep 1.5
fe_shot game_started

# The anchor stays at the leftmost column while the pointer is at the far left.
e2e_move 0 300
over=0
for i in $(seq 1 150); do
  fe_press
  if [ $((i % 8)) = 0 ] && fe_name_dialog_shown; then
    over=1
    break
  fi
done
[ $over = 1 ] || e2e_fail "the game did not end with the New Highscore dialog"
# Keys are read once per frame, so each is held long enough for a slow frame to
# see it; Enter leaves the game at once, so it may be held longer still.
for key in t e s t; do e2e_key $key 0.5; done
fe_shot name_typed
e2e_key Return 0.5
sleep 0.8
fe_shot hall_of_fame
fe_click 400 547  # "ok"
sleep 1.2
fe_quit_from_main_menu

table=$(fe_table 0)
echo "$table"
# A key held across two frames 200 ms apart types its letter again; the keys are
# held that long on purpose, so repeated letters are accepted.
grep -qE '^-?[0-9]+ T+E+S+T+$' <<<"$table" || e2e_fail "no entry TEST in the size-8 table"
sort -n -c <(cut -d' ' -f1 <<<"$table") || e2e_fail "the size-8 table is no longer sorted"
fe_table 1 | grep -q "QUORBEL" || e2e_fail "the size-10 table changed"
echo "arcade high score kept: passed"
