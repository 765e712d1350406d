#!/usr/bin/env bash
# A story level from the map and back, with an item bought and used on the way:
# main menu, level map with the introduction, the shop (an Hourglass for 50 into
# F1), spot 1, F1 in the level, the level cleared, the map again with spot 2 and
# the level's score added to the money, quit. The save holds the new progress,
# the money and the used-up slot afterwards. The test prepares level 1 so that a
# single stone pulled down at the far left clears it.
source "$(dirname "$0")/frontend_common.sh"
e2e_setup
fe_quick_level 0 "A quick meadow"
fe_patch misc/hsc.dat 1080 1 0       # one level unlocked
fe_patch_i32 misc/hsc.dat 1088 100  # money
fe_patch misc/hsc.dat 1082 0 0 0    # empty slots
e2e_set_options 0 0 1 1 4 7 7       # no instructions at the game start
fe_start_at_title

fe_click 400 363  # "Story mode"
sleep 1.6
fe_click 400 454  # the introduction's "Ok"
e2e_move 88 286    # over spot 1: info box and speech bubble
fe_shot map_spot_1
fe_click 659 235  # "go to Shop"
fe_click 520 322  # "buy" Hourglass, 50: into F1
fe_click 400 562  # "back to level map"
fe_click 88 286   # spot 1
sleep 1.5
fe_shot level_started
e2e_key F1         # the Hourglass

e2e_move 0 300
back=0
for i in $(seq 1 150); do
  fe_press
  if [ $((i % 8)) = 0 ] && fe_map_shown; then
    back=1
    break
  fi
done
[ $back = 1 ] || e2e_fail "the level was not cleared, or the map did not come back"
sleep 1.5
fe_shot map_after_level
e2e_move 111 230  # over spot 2, now unlocked
fe_shot map_spot_2
fe_click 115 573  # "Main Menu"
sleep 1.2
fe_quit_from_main_menu

read -r progress money s1 s2 s3 <<<"$(fe_profile)"
[ "$progress" = 2 ] || e2e_fail "story progress: expected 2, found $progress"
[ "$money" = 60 ] || e2e_fail "money: expected 100 - 50 + 10 = 60, found $money"
[ "$s1 $s2 $s3" = "0 0 0" ] || e2e_fail "item slots: expected the Hourglass used up, found $s1 $s2 $s3"
echo "story level cleared and kept: passed"
