#!/usr/bin/env bash
# The shop as a player uses it: from the main menu to the level map (confirming the
# story introduction), into the shop, two purchases, one that the money does not
# cover, one sale, back to the map and the main menu, quit. The save holds the new
# money and item slots afterwards.
source "$(dirname "$0")/frontend_common.sh"
e2e_setup
fe_patch_i32 misc/hsc.dat 1088 1000  # money
fe_patch misc/hsc.dat 1082 0 0 0     # empty slots
fe_start_at_title

fe_click 400 363  # "Story mode"
sleep 1.6
fe_shot map_introduction
fe_click 400 454  # the introduction's "Ok"
fe_click 659 235  # "go to Shop"
fe_shot shop
fe_click 680 322  # "buy" Potion, 700: into F1
fe_click 120 322  # "buy" One Line, 100: into F2
fe_click 440 322  # "buy" Aimhelp, 500: more than the 200 left, so grey
fe_click 320 473  # "sell" F1: 50 back
e2e_move 680 250
fe_shot shop_after_trading
fe_click 400 562  # "back to level map"
fe_click 115 573  # "Main Menu"
sleep 1.2
fe_quit_from_main_menu

read -r progress money s1 s2 s3 <<<"$(fe_profile)"
[ "$money" = 250 ] || e2e_fail "money after trading: expected 250, found $money"
[ "$s1 $s2 $s3" = "0 1 0" ] || e2e_fail "item slots after trading: expected 0 1 0, found $s1 $s2 $s3"
[ "$progress" = 1 ] || e2e_fail "story progress changed to $progress"
echo "shop trades kept: passed"
