#!/usr/bin/env bash
# Installing the game as a player or a packager would: `cmake --install` into a
# temporary prefix and a DESTDIR staging tree lays out the game folder, the
# launcher, the desktop entry, the icons and the AppStream file (which the
# desktop's own validators accept) and the manual page. The installed launcher, started from anywhere
# with a read-only game folder (a system-wide install), shows the title screen,
# keeps the options and the save in $XDG_DATA_HOME/quorbels/ (copied from the
# installed defaults on the first start, the player's copy used from then on),
# and never changes a file of the install.
source "$(dirname "$0")/lib.sh"
e2e_setup_scratch
[ -d "${QUORBELS_BUILD:-}/data" ] || e2e_fail "no generated data in QUORBELS_BUILD"
trap 'chmod -R u+w "$E2E_DIR" 2>/dev/null; e2e_cleanup' EXIT
app=io.github.quorbels.Quorbels
prefix=$E2E_DIR/prefix

cmake --install "$QUORBELS_BUILD" --prefix "$prefix" >"$E2E_DIR/install.txt" 2>&1 ||
  e2e_fail "cmake --install failed: $(tail -n 5 "$E2E_DIR/install.txt")"

# Layout.
launcher=$prefix/bin/quorbels
[ -x "$launcher" ] || e2e_fail "no launcher bin/quorbels"
game=$(dirname "$(find "$prefix" -path '*/quorbels/quorbels' -type f | head -n 1)")
[ -x "$game/quorbels" ] || e2e_fail "the program is not installed"
for f in misc/opt.dat misc/hsc.dat misc/levels.qrb misc/font.dat; do
  cmp -s "$game/data/$f" "$QUORBELS_BUILD/data/$f" || e2e_fail "data/$f is not installed beside the program"
done
[ ! -e "$game/data/icons" ] || e2e_fail "the icon sources were installed into the game folder"
[ ! -e "$game/data/.generated" ] || e2e_fail "the build stamp was installed"
built=$(cd "$QUORBELS_BUILD/data" && find . -type f ! -path './icons/*' ! -name .generated ! -name '*.tmp' | sort)
installed=$(cd "$game/data" && find . -type f | sort)
[ "$built" = "$installed" ] || e2e_fail "the installed data folder differs from the generated one"

[ -f "$prefix/share/man/man6/quorbels.6" ] || e2e_fail "no manual page share/man/man6/quorbels.6"
desktop=$prefix/share/applications/$app.desktop
metainfo=$prefix/share/metainfo/$app.metainfo.xml
[ -f "$desktop" ] || e2e_fail "no desktop entry"
[ -f "$metainfo" ] || e2e_fail "no AppStream metainfo"
desktop-file-validate "$desktop" || e2e_fail "desktop-file-validate rejects the desktop entry"
grep -qx 'Categories=Game;ArcadeGame;' "$desktop" || e2e_fail "the desktop entry's categories"
grep -qx 'Exec=quorbels' "$desktop" || e2e_fail "the desktop entry does not start the launcher"
grep -qx "Icon=$app" "$desktop" || e2e_fail "the desktop entry names another icon"
appstreamcli validate --no-net "$metainfo" >"$E2E_DIR/appstream.txt" 2>&1 ||
  e2e_fail "appstreamcli rejects the metainfo: $(cat "$E2E_DIR/appstream.txt")"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
  e2e_fail "the metainfo does not point at the desktop entry"

# Icons: real PNG files of the theme's sizes, with an alpha channel, opaque in the
# middle and transparent in the corners (a rounded tile).
for size in 48 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png
  [ -f "$icon" ] || e2e_fail "no ${size}px icon"
  got=$(identify -format '%m %w %h %A' "$icon" 2>"$E2E_DIR/identify.txt") ||
    e2e_fail "the ${size}px icon does not decode: $(cat "$E2E_DIR/identify.txt")"
  [ -s "$E2E_DIR/identify.txt" ] && e2e_fail "the ${size}px icon decodes with complaints: $(cat "$E2E_DIR/identify.txt")"
  case "$got" in "PNG $size $size "[Bb]lend | "PNG $size $size True") ;; *) e2e_fail "the ${size}px icon is '$got'" ;; esac
  alpha=$(convert "$icon" -format "%[fx:int(255*p{0,0}.a)] %[fx:int(255*p{$((size / 2)),$((size / 2))}.a)]" info:)
  [ "$alpha" = "0 255" ] || e2e_fail "the ${size}px icon's corner and centre alpha are $alpha"
done

# A packager's staged install: everything lands under DESTDIR, the launcher
# still finds the program relative to itself.
stage=$E2E_DIR/stage
DESTDIR=$stage cmake --install "$QUORBELS_BUILD" --prefix /usr >"$E2E_DIR/stage.txt" 2>&1 ||
  e2e_fail "DESTDIR install failed: $(tail -n 5 "$E2E_DIR/stage.txt")"
[ -x "$stage/usr/bin/quorbels" ] || e2e_fail "DESTDIR install has no usr/bin/quorbels"
[ -f "$stage/usr/share/applications/$app.desktop" ] || e2e_fail "DESTDIR install has no desktop entry"
target=$(sed -n 's/^exec "$here\/\(.*\)" "$@"$/\1/p' "$stage/usr/bin/quorbels")
[ -n "$target" ] && [ -x "$stage/usr/bin/$target" ] || e2e_fail "the staged launcher points at '$target'"
grep -q "$stage" "$stage/usr/bin/quorbels" && e2e_fail "the staged launcher mentions the staging folder"

# A system-wide install is read-only for its players.
chmod -R a-w "$game"
snapshot() { (cd "$game" && find . -printf '%p %s %m %T@\n' | sort && find . -type f -exec md5sum {} + | sort); }
before=$(snapshot)
xdg=$E2E_DIR/xdg
mkdir -p "$E2E_DIR/home"

# Waits (up to a minute: loading takes a while on a busy machine) for the title:
# a bright, colourful picture, unlike the loading screen's emblem on black.
wait_for_title() {
  local shot mean spread
  for _ in $(seq 1 60); do
    e2e_expect_running "before the title screen"
    shot=$(e2e_screenshot title)
    read -r mean spread <<<"$(convert "$shot" -colorspace Gray -format '%[fx:int(255*mean)] %[fx:int(255*standard_deviation)]' info:)"
    [ "$mean" -gt 60 ] && [ "$spread" -gt 20 ] && return 0
    sleep 1
  done
  e2e_fail "the title screen did not appear (mean $mean, spread $spread)"
}

start_installed() {
  e2e_start_command env HOME="$E2E_DIR/home" XDG_DATA_HOME="$xdg" PATH="$prefix/bin:$PATH" quorbels
  wait_for_title
}

start_installed
[ -f "$xdg/quorbels/opt.dat" ] || e2e_fail "the options were not copied to \$XDG_DATA_HOME/quorbels"
e2e_quit
saved=$xdg/quorbels/hsc.dat
[ "$(stat -c %s "$saved" 2>/dev/null)" = 1092 ] || e2e_fail "no 1092-byte save in \$XDG_DATA_HOME/quorbels"
cmp -s "$saved" "$game/data/misc/hsc.dat" || e2e_fail "the first save differs from the installed default"
cmp -s "$xdg/quorbels/opt.dat" "$game/data/misc/opt.dat" || e2e_fail "the options copy differs from the default"
[ "$(snapshot)" = "$before" ] || e2e_fail "the install folder changed"
[ ! -e "$E2E_DIR/home/.local" ] || e2e_fail "the home folder was used although XDG_DATA_HOME was set"

# Later starts use the player's own copy: a profile with money is read and saved
# back, not replaced by the default.
python3 - "$saved" <<'EOF'
import struct, sys
d = bytearray(open(sys.argv[1], 'rb').read())
struct.pack_into('<H', d, 1080, 12)
struct.pack_into('<i', d, 1088, 4321)
open(sys.argv[1], 'wb').write(d)
EOF
expected=$(md5sum <"$saved")
start_installed
e2e_quit
[ "$(md5sum <"$saved")" = "$expected" ] || e2e_fail "the player's save was not kept on the second start"
[ "$(snapshot)" = "$before" ] || e2e_fail "the install folder changed on the second start"
echo "install: passed"
