#!/usr/bin/env bash
# Shared steps of the front-end journeys: the real program on a copy of the data
# folder in a fresh directory (the program finds its data beside itself), driven
# by xdotool in the window's own 800 x 600 picture coordinates, checked by
# screenshots and by the files it writes. Sourced by tests/e2e/test_frontend_*.sh.
#
# Environment: QUORBELS_BIN (the program), QUORBELS_BUILD (its build folder with
# data/), QUORBELS_ARTIFACTS (where screenshots go; optional).

FE_BIN=${QUORBELS_BIN:?QUORBELS_BIN names the program}
FE_BUILD=${QUORBELS_BUILD:-$(dirname "$FE_BIN")}
FE_ARTIFACTS=${QUORBELS_ARTIFACTS:-}
FE_WORK=""
FE_PID=""
FE_WID=""
FE_NAME=""

fe_fail() {
  echo "FAIL: $*" >&2
  [ -n "$FE_WID" ] && fe_shot failure || true
  exit 1
}

fe_cleanup() {
  if [ -n "$FE_PID" ] && kill -0 "$FE_PID" 2>/dev/null; then
    kill -TERM "$FE_PID" 2>/dev/null || true
    sleep 1
    kill -KILL "$FE_PID" 2>/dev/null || true
  fi
  [ -n "$FE_WORK" ] && rm -rf "$FE_WORK"
}

# A fresh folder with the program and a copy of its data; `name` labels the screenshots.
fe_prepare() {
  FE_NAME=$1
  FE_WORK=$(mktemp -d "/tmp/quorbels-e2e-$FE_NAME-XXXXXX")
  trap fe_cleanup EXIT
  cp "$FE_BIN" "$FE_WORK/quorbels"
  cp -r "$FE_BUILD/data" "$FE_WORK/data"
  rm -f "$FE_WORK/data/.generated"
}

# Overwrites bytes of a data file in the copy: fe_patch FILE OFFSET BYTE...
fe_patch() {
  local file=$FE_WORK/$1 offset=$2
  shift 2
  python3 - "$file" "$offset" "$@" <<'EOF'
import sys
path, offset, values = sys.argv[1], int(sys.argv[2]), [int(v) for v in sys.argv[3:]]
data = bytearray(open(path, 'rb').read())
data[offset:offset + len(values)] = bytes(values)
open(path, 'wb').write(data)
EOF
}

# Writes a little-endian 32-bit value: fe_patch_i32 FILE OFFSET VALUE
fe_patch_i32() {
  local v=$3
  fe_patch "$1" "$2" $((v & 255)) $(((v >> 8) & 255)) $(((v >> 16) & 255)) $(((v >> 24) & 255))
}

# Starts the program and waits for its window.
fe_start() {
  (cd "$FE_WORK" && exec ./quorbels >"$FE_WORK/stdout.txt" 2>"$FE_WORK/stderr.txt") &
  FE_PID=$!
  local i
  for i in $(seq 1 100); do
    FE_WID=$(xdotool search --onlyvisible --name '^quorbels$' 2>/dev/null | head -1 || true)
    [ -n "$FE_WID" ] && break
    kill -0 "$FE_PID" 2>/dev/null || fe_fail "the program ended at start: $(cat "$FE_WORK/stderr.txt")"
    sleep 0.2
  done
  [ -n "$FE_WID" ] || fe_fail "no game window appeared"
}

# Waits until loading is over and the title screen has faded in with its logos.
fe_wait_title() {
  sleep 7
  kill -0 "$FE_PID" 2>/dev/null || fe_fail "the program ended: $(cat "$FE_WORK/stderr.txt")"
}

fe_move() {
  xdotool mousemove --window "$FE_WID" "$1" "$2"
  sleep 0.25
}

# A left click at a picture position; the pause before the press lets a frame be
# drawn with the pointer there, since drawing decides what is under it.
fe_click() {
  fe_move "$1" "$2"
  xdotool mousedown 1
  sleep 0.08
  xdotool mouseup 1
  sleep 0.3
}

# A key pressed and released: fe_key NAME (xdotool key names: a, Return, F1...)
fe_key() {
  xdotool keydown "$1"
  sleep 0.08
  xdotool keyup "$1"
  sleep 0.3
}

fe_window_origin() {
  xdotool getwindowgeometry "$FE_WID" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }'
}

# Saves the window's picture as $QUORBELS_ARTIFACTS/frontend_e2e_<test>_<name>.png.
fe_shot() {
  [ -n "$FE_ARTIFACTS" ] || return 0
  mkdir -p "$FE_ARTIFACTS"
  local x y
  read -r x y < <(fe_window_origin)
  import -window root -crop "800x600+${x}+${y}" +repage "$FE_ARTIFACTS/frontend_e2e_${FE_NAME}_$1.png" 2>/dev/null ||
    true
}

# Prints "r g b" of a picture pixel as the screen shows it now.
fe_pixel() {
  local x y
  read -r x y < <(fe_window_origin)
  import -window root -crop "1x1+$((x + $1))+$((y + $2))" +repage -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \2 \3/p' | head -1 | awk '{ printf "%d %d %d\n", $1, $2, $3 }'
}

# Checks the first bytes of a file in the copy: fe_expect_bytes FILE "b0 b1 ..." WHAT
fe_expect_bytes() {
  local got
  got=$(python3 -c "import sys; d=open(sys.argv[1],'rb').read(); print(' '.join(str(b) for b in d[:int(sys.argv[2])]))" \
    "$FE_WORK/$1" "$(wc -w <<<"$2")")
  [ "$got" = "$2" ] || fe_fail "$3: expected $2, found $got"
}

# Clicks "Quit" on the main menu and waits for the program to save and end.
fe_quit_from_main_menu() {
  fe_click 400 545
  local i
  for i in $(seq 1 100); do
    kill -0 "$FE_PID" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$FE_PID" 2>/dev/null; then fe_fail "the program did not end after Quit"; fi
  wait "$FE_PID" || fe_fail "the program ended with an error: $(cat "$FE_WORK/stderr.txt")"
  FE_PID=""
  FE_WID=""
}

# Reads the save in the copy: prints "progress money slot1 slot2 slot3".
fe_profile() {
  python3 - "$FE_WORK/data/misc/hsc.dat" <<'EOF'
import struct, sys
d = open(sys.argv[1], 'rb').read()
progress = struct.unpack_from('<H', d, 1080)[0]
money = struct.unpack_from('<i', d, 1088)[0]
print(progress, money, d[1082], d[1083], d[1084])
EOF
}

# True while the "New Highscore" dialog is up: its name box (blue over the green
# dialog) covers both sample points.
fe_name_dialog_shown() {
  local r g b
  for point in "330 340" "470 340"; do
    read -r r g b < <(fe_pixel $point)
    [ "$((b - r))" -gt 25 ] && [ "$((b - g))" -gt 10 ] || return 1
  done
  return 0
}

# Reads one high-score table of the save: prints "score name" per entry, lowest first.
fe_table() {
  python3 - "$FE_WORK/data/misc/hsc.dat" "$1" <<'EOF2'
import struct, sys
d = open(sys.argv[1], 'rb').read()
t = int(sys.argv[2])
for i in range(10):
    off = t * 360 + i * 36
    score = struct.unpack_from('<i', d, off)[0]
    length = min(d[off + 4], 30)
    print(score, d[off + 5:off + 5 + length].decode('latin-1'))
EOF2
}

# True while the level map is shown: the green money panel at the right.
fe_map_shown() {
  local r g b
  for point in "700 195" "590 195"; do
    read -r r g b < <(fe_pixel $point)
    [ "$((g - r))" -gt 40 ] && [ "$((g - b))" -gt 15 ] || return 1
  done
  return 0
}

# Replaces story level `index` of the copy's level file with a quick one: 8
# columns, one line to remove, no drain, no bombs, and a bottom row that lacks only
# its leftmost box, so a stone pulled down at the far left completes it.
fe_quick_level() {
  python3 - "$FE_WORK/data/misc/levels.qrb" "$1" "$2" <<'EOF2'
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
EOF2
}
