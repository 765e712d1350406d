# Front-end steps shared by the journeys tests/e2e/test_frontend_*.sh, on top of
# the e2e driver (lib.sh): preparing the private copy's save and level file,
# reading them back, recognising the screens a journey waits for, and leaving
# through the main menu's "Quit". Positions are picture pixels (800 x 600).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

E2E_AFTER_CLICK=${E2E_AFTER_CLICK:-0.35}

# Overwrites bytes of a file of the private data folder: fe_patch misc/hsc.dat OFFSET BYTE...
fe_patch() {
  local file=$E2E_DIR/data/$1 offset=$2
  shift 2
  python3 - "$file" "$offset" "$@" <<'EOF'
import sys
path, offset, values = sys.argv[1], int(sys.argv[2]), [int(v) for v in sys.argv[3:]]
data = bytearray(open(path, 'rb').read())
data[offset:offset + len(values)] = bytes(values)
open(path, 'wb').write(data)
EOF
}

# A little-endian signed 32-bit value: fe_patch_i32 misc/hsc.dat OFFSET VALUE
fe_patch_i32() {
  local v=$3
  fe_patch "$1" "$2" $((v & 255)) $(((v >> 8) & 255)) $(((v >> 16) & 255)) $(((v >> 24) & 255))
}

# Replaces story level `index` (0-based) with a quick one titled `title`: 8 columns,
# one line to remove, no drain, no bombs, and a bottom row that lacks only its
# leftmost box, so a stone pulled down at the far left completes it.
fe_quick_level() {
  python3 - "$E2E_DIR/data/misc/levels.qrb" "$1" "$2" <<'EOF'
import sys
path, index, title = sys.argv[1], int(sys.argv[2]), sys.argv[3].encode()
data = bytearray(open(path, 'rb').read())
record = bytearray(935)
record[0:len(title)] = title
record[768] = 28   # speed: 2 units per tick
record[769] = 0    # no drain
record[770] = 1    # one line to remove
record[771] = 0    # danger line at the top
record[772] = 0    # 8 columns: 2..9
record[773] = 0    # no bombs
record[774] = 0    # not a puzzle
for k in range(3, 10):
    record[791 + k * 12 + 11] = k - 2   # row 11, columns 3..9, colours 1..7
data[index * 935:(index + 1) * 935] = record
open(path, 'wb').write(data)
EOF
}

# Starts the program and waits until the title screen has faded in with its logos.
fe_start_at_title() {
  e2e_start
  sleep 4
  e2e_expect_running "during the title screen"
}

fe_shot() { e2e_screenshot "$1" >/dev/null; }

# A click on a label: the pointer rests there long enough for a frame to be drawn
# with it (drawing decides what is under the pointer) even on a loaded machine.
fe_click() {
  e2e_move "$1" "$2"
  sleep 0.3
  e2e_click "$1" "$2"
}

# Prints "r g b" of a picture pixel as the screen shows it now.
fe_pixel() {
  e2e_screenshot probe >/dev/null
  e2e_pixel probe "$1" "$2"
}

# Holds the left button briefly where the pointer is.
fe_press() {
  xdotool mousedown 1
  sleep 0.05
  xdotool mouseup 1
  sleep 0.25
}

# Checks the first bytes of a file of the private data folder:
# fe_expect_bytes misc/opt.dat "b0 b1 ..." WHAT
fe_expect_bytes() {
  local got
  got=$(python3 -c "import sys; d=open(sys.argv[1],'rb').read(); print(' '.join(str(b) for b in d[:int(sys.argv[2])]))" \
    "$E2E_DIR/data/$1" "$(wc -w <<<"$2")")
  [ "$got" = "$2" ] || e2e_fail "$3: expected $2, found $got"
}

# Clicks "Quit" on the main menu and waits for the program to save and end.
fe_quit_from_main_menu() {
  fe_click 400 545
  e2e_wait_exit 30
  [ "$E2E_EXIT_CODE" -eq 0 ] || e2e_fail "the program ended with code $E2E_EXIT_CODE after Quit"
}

# The story profile of the save: prints "progress money slot1 slot2 slot3".
fe_profile() {
  python3 - "$E2E_DIR/data/misc/hsc.dat" <<'EOF'
import struct, sys
d = open(sys.argv[1], 'rb').read()
progress = struct.unpack_from('<H', d, 1080)[0]
money = struct.unpack_from('<i', d, 1088)[0]
print(progress, money, d[1082], d[1083], d[1084])
EOF
}

# One high-score table of the save (0 small, 1 medium, 2 large): "score name" per
# entry, lowest first.
fe_table() {
  python3 - "$E2E_DIR/data/misc/hsc.dat" "$1" <<'EOF'
import struct, sys
d = open(sys.argv[1], 'rb').read()
t = int(sys.argv[2])
for i in range(10):
    off = t * 360 + i * 36
    score = struct.unpack_from('<i', d, off)[0]
    length = min(d[off + 4], 30)
    print(score, d[off + 5:off + 5 + length].decode('latin-1'))
EOF
}

# True while the "New Highscore" dialog is up: the bright blue rim along the top
# of its name box lies under both sample points (the game screen around them is
# dark or green).
fe_name_dialog_shown() {
  local r g b point
  e2e_screenshot probe >/dev/null
  for point in "330 320" "470 320"; do
    read -r r g b <<<"$(e2e_pixel probe $point)"
    [ "$((b - r))" -gt 25 ] && [ "$((b - g))" -gt 10 ] || return 1
  done
  return 0
}

# True while the level map is shown: the bright green rim along the top of the
# money panel at the right.
fe_map_shown() {
  local r g b point
  e2e_screenshot probe >/dev/null
  for point in "660 180" "720 180"; do
    read -r r g b <<<"$(e2e_pixel probe $point)"
    [ "$((g - r))" -gt 40 ] && [ "$((g - b))" -gt 15 ] || return 1
  done
  return 0
}
