#!/usr/bin/env bash
# A display switch there and back, from the options screen: "Fullscreen" "Yes"
# re-opens the game on the whole display with the 800 x 600 picture scaled to
# fit between black bars; the pointer still hits the labels through that
# letterbox (settings clicked in full screen are the ones saved); "No" brings
# the 800 x 600 window back. Quitting afterwards saves the settings and the
# progress.
source "$(dirname "$0")/frontend_common.sh"
e2e_setup
e2e_set_options 0 1 1 1 4 7 7
save=$(e2e_data)/misc/hsc.dat
fe_patch_i32 misc/hsc.dat 1088 2500 # money, to see the profile survive both switches
save_sum=$(md5sum <"$save")
save_inode=$(stat -c %i "$save")
read -r dw dh <<<"$(xdotool getdisplaygeometry)"
[ $((dw * 600)) -ne $((dh * 800)) ] || e2e_fail "the display is 4:3 and shows no bars (see run-under-xvfb)"

e2e_start_at_menu
e2e_click_label 400 491 # "Options"
e2e_wait_until 10 "the options screen" e2e_options_shown
e2e_click_label 308 210 # "Fullscreen": "Yes"

e2e_wait_reopened "$dw" "$dh"
e2e_wait_until 90 "the re-opened window to finish loading" e2e_picture_bright
e2e_wait_until 10 "the options screen in full screen" e2e_options_shown
shot=$(e2e_screenshot fullscreen_options)

# Letterbox: the picture is as high as the display, centred, bars of black.
bw=$((dh * 800 / 600))
bx=$(((dw - bw) / 2))
bars=$(convert "$shot" \( -clone 0 -crop "$((bx - 1))x${dh}+0+0" \) \( -clone 0 -crop "$((bx - 1))x${dh}+$((bx + bw + 1))+0" \) \
  -delete 0 +append -colorspace Gray -format '%[fx:int(255*maxima)]' info:)
[ "$bars" = 0 ] || e2e_fail "the bars beside the picture are not black (brightest $bars)"
for edge in "0 0 20 599" "779 0 799 599"; do
  # shellcheck disable=SC2086
  [ "$(e2e_brightness fullscreen_options $edge)" -gt 25 ] || e2e_fail "the picture does not reach the bars ($edge)"
done

# The pointer hits labels through the scaling: the volumes clicked here are saved.
e2e_click_label 365 460 # "Music Volume" 3
e2e_click_label 345 510 # "Sound Volume" 2
e2e_move 150 100
e2e_screenshot fullscreen_clicked >/dev/null
e2e_click_label 400 547 # "ok"
e2e_options_file_is "1 1 1 1 4 3 2" "the settings chosen in full screen"

# And back to the window.
sleep 1.2
e2e_click_label 400 491 # "Options"
e2e_wait_until 10 "the options screen again" e2e_options_shown
e2e_click_label 348 210 # "Fullscreen": "No"
e2e_wait_reopened 800 600
e2e_wait_until 90 "the window to finish loading" e2e_picture_bright
e2e_wait_until 10 "the options screen in the window" e2e_options_shown
e2e_screenshot windowed_again >/dev/null
e2e_click_label 400 547 # "ok"
e2e_screenshot windowed_ok >/dev/null
e2e_options_file_is "0 1 1 1 4 3 2" "the settings after switching back"
sleep 1.2
e2e_click_label 400 545 # "Quit"
e2e_wait_exit 30
[ "$E2E_EXIT_CODE" -eq 0 ] || e2e_fail "the program ended with code $E2E_EXIT_CODE after Quit"
[ "$(stat -c %i "$save")" != "$save_inode" ] || e2e_fail "quitting after two display switches did not save"
[ "$(md5sum <"$save")" = "$save_sum" ] || e2e_fail "the save changed across the display switches"
echo "full screen and back: passed"
