#!/usr/bin/env bash
# The options screen as a player uses it: open it from the main menu, change the
# settings, confirm with "ok", quit from the main menu. The settings file holds
# the new bytes afterwards; before "ok" it still holds the old ones.
source "$(dirname "$0")/frontend_common.sh"
e2e_setup
e2e_set_options 0 1 1 1 4 7 7
fe_start_at_title

fe_click 400 491  # "Options"
sleep 1.2
fe_click 425 410  # "Ingame Mouse Speed" 6
fe_click 365 460  # "Music Volume" 3
fe_click 345 510  # "Sound Volume" 2
fe_click 348 260  # "Show instructions on Startup": No
fe_click 348 310  # "Aimhelp in Arcade Mode": No
fe_shot options_changed
fe_expect_bytes misc/opt.dat "0 1 1 1 4 7 7" "the settings file before ok"

fe_click 400 547  # "ok"
sleep 1.2
fe_shot main_menu_again
fe_expect_bytes misc/opt.dat "0 0 0 1 6 3 2" "the settings file after ok"
fe_quit_from_main_menu
fe_expect_bytes misc/opt.dat "0 0 0 1 6 3 2" "the settings file after quitting"
echo "options kept: passed"
