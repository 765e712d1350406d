#!/usr/bin/env bash
# Closing the window saves the progress whichever screen is showing: the main
# menu, the options, the hall of fame, the shop right after a purchase, the level
# map, an arcade game in play and a paused story game. Each time the save is
# rewritten (a new file put in place) and holds the player's profile: story
# progress, money and items, with the shop's trade included.
source "$(dirname "$0")/frontend_common.sh"
e2e_setup
e2e_set_options 0 0 1 1 4 7 7 # no instructions before a game
fe_patch misc/hsc.dat 1080 3 0     # story progress 3
fe_patch_i32 misc/hsc.dat 1088 900 # money
fe_patch misc/hsc.dat 1082 0 0 0   # empty slots
save=$(e2e_data)/misc/hsc.dat

# Closes the program like the window's close button and checks the save was
# written with the expected profile "progress money slot1 slot2 slot3".
close_and_expect() {
  local where=$1 want=$2 inode
  inode=$(stat -c %i "$save")
  e2e_screenshot "$where" >/dev/null
  e2e_quit 60
  [ "$(stat -c %i "$save")" != "$inode" ] || e2e_fail "closing on the $where did not save"
  [ "$(stat -c %s "$save")" = 1092 ] || e2e_fail "the save written on the $where has the wrong size"
  [ "$(fe_profile)" = "$want" ] || e2e_fail "closing on the $where saved the profile $(fe_profile), not $want"
  [ ! -e "$save.tmp" ] || e2e_fail "closing on the $where left a temporary file"
}

# The level map after "Story mode" and its introduction's "Ok".
to_map() {
  e2e_click_label 400 363 # "Story mode"
  sleep 1.5
  e2e_click_label 400 454 # the introduction's "Ok"
  e2e_wait_until 20 "the level map" fe_map_shown
}
not_on_map() { ! fe_map_shown; }

e2e_start_at_menu
close_and_expect main_menu "3 900 0 0 0"

e2e_start_at_menu
e2e_click_label 400 491 # "Options"
e2e_wait_until 10 "the options screen" e2e_options_shown
close_and_expect options "3 900 0 0 0"

e2e_start_at_menu
e2e_click_label 400 427 # "Hall of fame"
sleep 2
close_and_expect hall_of_fame "3 900 0 0 0"

e2e_start_at_menu
to_map
e2e_click_label 659 235 # "go to Shop"
e2e_wait_until 20 "the shop" not_on_map
e2e_click_label 120 322 # "buy" One Line, 100: into F1
close_and_expect shop "3 800 1 0 0"

e2e_start_at_menu
to_map
close_and_expect level_map "3 800 1 0 0"

e2e_start_at_menu
e2e_click_label 400 395 # "Arcade mode"
e2e_click_label 342 432 # "8"
e2e_click_label 400 412 # "Forest"
sleep 4
e2e_move 300 400
e2e_click 300 400 # a pull or two: the game is running
close_and_expect arcade_game "3 800 1 0 0"

e2e_start_at_menu
to_map
e2e_click_label 88 286 # spot 1
e2e_wait_until 30 "the story game" not_on_map
sleep 2
e2e_key Escape # pause
sleep 1
close_and_expect paused_story_game "3 800 1 0 0"
echo "quitting saves everywhere: passed"
