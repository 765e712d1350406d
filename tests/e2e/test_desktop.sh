#!/usr/bin/env bash
# The game on the desktop. Its window carries the class of the desktop entry
# (StartupWMClass), so docks and task switchers group the window with the entry,
# and the game's own icon, the picture the data generator drew. Losing the focus
# during a game opens the pause dialog, as Esc would; losing it in the menus
# changes nothing there. The X server's screen saver is held off while the game
# is in front, however long nobody touches the mouse or the keys (a game played
# with a controller), and may start while another window has the focus.
source "$(dirname "$0")/frontend_common.sh"
e2e_setup
e2e_set_options 0 0 1 1 4 7 7 # no instructions at the game start
fe_start_at_title

entry=$(ls "$QUORBELS_BUILD"/install/*.desktop 2>/dev/null | head -n 1)
[ -f "$entry" ] || e2e_fail "no desktop entry in $QUORBELS_BUILD/install"
class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$class" ] || e2e_fail "the desktop entry names no StartupWMClass"
[ "$(basename "$entry" .desktop)" = "$class" ] || e2e_fail "the entry $entry is not named after its class $class"
got=$(xprop -id "$E2E_WIN" WM_CLASS)
echo "$got"
[ "$got" = "WM_CLASS(STRING) = \"$class\", \"$class\"" ] || e2e_fail "the window's class is not $class"

# The icon: 64 x 64 pixels, each the generated picture's pixel as ARGB.
xprop -id "$E2E_WIN" -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON >"$E2E_DIR/icon.txt" ||
  e2e_fail "xprop cannot read the window's icon"
head -c 40 "$E2E_DIR/icon.txt"
echo
python3 - "$E2E_DIR/icon.txt" "$E2E_DIR/data/textures/window_icon.tga" <<'PY' || e2e_fail "the window's icon is not the generated one"
import sys
text = open(sys.argv[1]).read()
values = [int(v) for v in text.split("=", 1)[1].replace("\n", "").split(",") if v.strip()]
tga = open(sys.argv[2], "rb").read()
w, h = tga[12] | tga[13] << 8, tga[14] | tga[15] << 8
if values[:2] != [w, h] or len(values) != 2 + w * h:
    sys.exit(f"icon {values[:2]} with {len(values) - 2} pixels, picture {w} x {h}")
for y in range(h):
    for x in range(w):
        b, g, r, a = tga[18 + ((h - 1 - y) * w + x) * 4:][:4]
        if values[2 + y * w + x] != (a << 24 | r << 16 | g << 8 | b):
            sys.exit(f"pixel {x}, {y} differs")
PY

# Focus moves away in the menus: nothing happens there.
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
xdotool windowfocus --sync "$E2E_WIN"
sleep 0.5
xdotool windowfocus --sync "$root"
sleep 0.5
e2e_expect_running "after losing the focus in the menus"
fe_shot menu_unfocused
[ "$(e2e_brightness menu_unfocused 300 340 500 560)" -gt 40 ] || e2e_fail "the main menu went dark"

# An arcade game, then the focus moves to another window: the pause dialog opens.
xdotool windowfocus --sync "$E2E_WIN"
fe_click 400 395 # "Arcade mode"
sleep 0.9
fe_click 342 432 # "8"
sleep 0.9
fe_click 400 412 # "Forest"
sleep 2
fe_shot playing
playing=$(e2e_brightness playing 100 30 700 140)
xdotool windowfocus --sync "$root"
sleep 1
fe_shot focus_lost
paused=$(e2e_brightness focus_lost 100 30 700 140)
echo "sky brightness in play $playing, after the focus left $paused"
[ "$paused" -lt $((playing * 3 / 4)) ] || e2e_fail "the game did not pause when the focus left"
# Coming back, the game waits in its dialog; "No" goes on.
xdotool windowfocus --sync "$E2E_WIN"
sleep 1
fe_shot focus_back
[ "$(e2e_brightness focus_back 100 30 700 140)" -lt $((playing * 3 / 4)) ] || e2e_fail "the pause ended by itself"
fe_click 432 296 # "No"
sleep 1
fe_shot resumed
[ "$(e2e_brightness resumed 100 30 700 140)" -gt $((playing * 9 / 10)) ] || e2e_fail "\"No\" did not resume the game"

# The screen saver: 2 seconds without input start it, where nothing holds it off.
saver_on() {
  python3 - <<'PY'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xss = ctypes.cdll.LoadLibrary("libXss.so.1")
class Info(ctypes.Structure):
    _fields_ = [("window", ctypes.c_ulong), ("state", ctypes.c_int), ("kind", ctypes.c_int),
                ("til_or_since", ctypes.c_ulong), ("idle", ctypes.c_ulong), ("event_mask", ctypes.c_ulong)]
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
xss.XScreenSaverAllocInfo.restype = ctypes.POINTER(Info)
xss.XScreenSaverQueryInfo.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Info)]
display = x11.XOpenDisplay(None)
info = xss.XScreenSaverAllocInfo()
if not display or not xss.XScreenSaverQueryInfo(display, x11.XDefaultRootWindow(display), info):
    sys.exit("the X server has no screen-saver extension")
sys.exit(0 if info.contents.state == 1 else 1)  # ScreenSaverOn
PY
}
command -v xset >/dev/null || e2e_fail "xset is missing (scripts/install-deps)"
xset s 2 2
sleep 3.5
! saver_on || e2e_fail "the screen saver started while the game was in front"
xdotool windowfocus --sync "$root"
sleep 3.5
saver_on || e2e_fail "the screen saver did not start while the game was in the background"
xdotool windowfocus --sync "$E2E_WIN"
sleep 0.5
! saver_on || e2e_fail "the screen saver went on when the game came back"
sleep 3
! saver_on || e2e_fail "the screen saver started again with the game in front"
xset s off
e2e_quit
echo "window class, icon, pause on focus loss and the screen saver: passed"
