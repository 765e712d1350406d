#!/usr/bin/env bash
# Damaged and missing data files, as a player who replaced or lost some would meet
# them. A missing or short levels.qrb, font.dat or hsc.dat ends the start with one
# message naming the file and a non-zero exit, and no file of data/misc changes. A
# damaged picture shows one message with its caption and the game goes on; a
# damaged model draws nothing and the game goes on; a level file full of wild
# values (stone kinds above 17, every cell value 0..255, speed 0, size code 7)
# plays without a crash, and the game then ends normally with code 0.
source "$(dirname "$0")/frontend_common.sh"
e2e_setup
misc="$(e2e_data)/misc"
textures="$(e2e_data)/textures"

misc_sums() { (cd "$misc" && ls -A && md5sum -- *); }

# Dismisses message boxes whose caption matches the pattern while the program
# runs; prints how many were seen. Waits at most `seconds`, and stops early when
# the program has ended or `want` boxes have been dismissed.
dismiss_boxes() {
  local captions=$1 seconds=$2 want=${3:-0} seen=0 waited=0 box
  while [ "$waited" -lt $((seconds * 10)) ]; do
    kill -0 "$E2E_PID" 2>/dev/null || break
    box=$(e2e_find_box "$captions")
    if [ -n "$box" ]; then
      seen=$((seen + 1))
      e2e_answer_box "$box"
      sleep 0.5
      if [ "$want" -gt 0 ] && [ "$seen" -ge "$want" ]; then break; fi
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  echo "$seen"
}

# A start that must fail on `file` (relative to data/misc): the message names the
# file, the exit code is not 0, and data/misc is exactly as before.
expect_fatal() {
  local what=$1 file=$2 before
  before=$(misc_sums)
  e2e_launch
  dismiss_boxes Error 90 >/dev/null
  e2e_wait_exit 30
  [ "$E2E_EXIT_CODE" -ne 0 ] || e2e_fail "$what: exit code 0"
  grep -q "data/misc/$file" "$E2E_LOG" || e2e_fail "$what: no message naming data/misc/$file"
  [ "$(grep -c "^Error: " "$E2E_LOG")" -eq 1 ] || e2e_fail "$what: not exactly one message"
  [ "$(misc_sums)" = "$before" ] || e2e_fail "$what: a file of data/misc changed"
  echo "$what: refused with one message naming $file"
}

e2e_set_options 0 0 1 1 4 7 7
for file in levels.qrb font.dat hsc.dat opt.dat; do
  cp "$misc/$file" "$E2E_DIR/$file.good"
  rm "$misc/$file"
  expect_fatal "missing $file" "$file"
  [ ! -e "$misc/$file" ] || e2e_fail "a missing $file was created"
  head -c "$(($(stat -c %s "$E2E_DIR/$file.good") - 1))" "$E2E_DIR/$file.good" >"$misc/$file"
  expect_fatal "short $file" "$file"
  head -c 0 /dev/null >"$misc/$file"
  expect_fatal "empty $file" "$file"
  cp "$E2E_DIR/$file.good" "$misc/$file"
done

# Damaged pictures: a truncated BMP and a 16-bit TGA. Each shows its own message
# with its caption once; the game window opens and keeps drawing.
head -c 100 "$textures/star.bmp" >"$E2E_DIR/star.bmp" && mv "$E2E_DIR/star.bmp" "$textures/star.bmp"
python3 - "$textures/coin.tga" <<'EOF'
import sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
data[16] = 16
open(path, 'wb').write(data)
EOF
# A damaged model: the box shape cut off in the middle of its triangles.
head -c 300 "$(e2e_data)/3d/block.ms3d" >"$E2E_DIR/block.ms3d" && mv "$E2E_DIR/block.ms3d" "$(e2e_data)/3d/block.ms3d"

# Level 1 with wild values everywhere the level file can hold them.
python3 - "$misc/levels.qrb" <<'EOF'
import sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
rec = bytearray(935)
title = b"Everything out of range"
rec[0:len(title)] = title
rec[768:775] = bytes([0, 255, 200, 255, 7, 100, 1])   # speed 0, drain 255, size code 7, puzzle
rec[775:791] = bytes([18, 200, 255, 17, 3, 0, 99, 1, 2, 250, 16, 17, 18, 19, 20, 0])
rec[791:935] = bytes((i * 7) & 255 for i in range(144))
data[0:935] = rec
open(path, 'wb').write(data)
EOF
fe_patch misc/hsc.dat 1080 1 0    # one level unlocked
fe_patch misc/hsc.dat 1082 1 6 9  # items: One Line, Hourglass, and an unknown code
sums_textures=$(md5sum "$textures/star.bmp" "$textures/coin.tga")

e2e_launch
boxes=$(dismiss_boxes "BMP Unit|TGA File Error" 90 2)
E2E_WIN=$(e2e_wait_window quorbels 60) || e2e_fail "the game window did not appear after the damaged files"
[ "$(grep -c '^BMP Unit: Error reading bitmap data' "$E2E_LOG")" -eq 1 ] || e2e_fail "the damaged BMP was not reported exactly once"
[ "$(grep -c '^BMP Unit: ' "$E2E_LOG")" -eq 1 ] || e2e_fail "more BMP messages than damaged BMP files"
[ "$(grep -c '^TGA File Error: .*coin.tga' "$E2E_LOG")" -eq 1 ] || e2e_fail "the 16-bit TGA was not reported exactly once"
grep -q 'Only 24 bit' "$E2E_LOG" || e2e_fail "the 16-bit TGA message is not the depth message"
sleep 4
[ "$(dismiss_boxes "BMP Unit|TGA File Error" 1)" -eq 0 ] || e2e_fail "more picture messages than damaged pictures"
echo "damaged pictures: one message each ($boxes box(es) shown on this display)"
e2e_expect_running "after the damaged pictures and model"
fe_shot title_without_star

# Into the wild level: story mode, the introduction, spot 1.
e2e_click 400 363  # "Story mode"
sleep 1.6
e2e_click 400 454  # the introduction's "Ok"
e2e_click 88 286   # spot 1
sleep 2
e2e_expect_running "starting the wild level"
fe_shot wild_level
for i in $(seq 1 40); do
  e2e_move $(((i * 97) % 800)) 300
  fe_press
  [ $((i % 7)) -ne 0 ] || e2e_key F1
  [ $((i % 11)) -ne 0 ] || e2e_key F3
  [ $((i % 9)) -ne 0 ] || e2e_click 400 300 3
  e2e_expect_running "playing the wild level (step $i)"
done
fe_shot wild_level_played
[ "$(md5sum "$textures/star.bmp" "$textures/coin.tga")" = "$sums_textures" ] || e2e_fail "a texture file changed"
e2e_quit
[ "$E2E_EXIT_CODE" -eq 0 ] || e2e_fail "the program ended with code $E2E_EXIT_CODE after the wild level"
[ "$(stat -c %s "$misc/hsc.dat")" -eq 1092 ] || e2e_fail "the save has the wrong size after the wild level"
echo "bad data: passed"
