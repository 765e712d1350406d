#!/usr/bin/env bash
# The Debian package, as a player's machine meets it: scripts/package builds the
# .deb from this build (lintian finds no error), dpkg installs it into this
# machine, an ordinary user starts the game by name from /usr/games (the
# program is the one under /usr/lib/games/quorbels, reading its data from
# /usr/share/games/quorbels), quits it, and finds the options and the save in
# $XDG_DATA_HOME/quorbels/ while no file of the package has changed; then
# dpkg --purge leaves nothing of the package behind.
#
# Installing needs root: the test uses sudo when not run as root, and is skipped
# (exit 77) when neither is available, or when the machine already has its own
# quorbels package installed (the test never replaces or removes a player's).
source "$(dirname "$0")/lib.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -d "${QUORBELS_BUILD:-}/data" ] || e2e_fail "no generated data in QUORBELS_BUILD"
skip() {
  echo "package: SKIPPED: $*"
  exit 77
}

AS_ROOT=()
if [ "$(id -u)" -ne 0 ]; then
  sudo -n true 2>/dev/null || skip "installing a package needs root or sudo without a password"
  AS_ROOT=(sudo -n)
fi
# One run at a time on a machine: two would fight over dpkg and the player account.
lock=${TMPDIR:-/tmp}/quorbels-package-test.lock
touch "$lock" 2>/dev/null || true
exec 9<"$lock"
flock -w 240 9 || e2e_fail "another run of this test has held $lock for four minutes"
if dpkg-query -W -f='${Status}' quorbels 2>/dev/null | grep -q "ok installed"; then
  skip "a quorbels package is already installed on this machine"
fi

e2e_setup_scratch
player=quorbels-e2e
made_player=""
installed=""
finish() {
  local code=$?
  if [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; then "${AS_ROOT[@]}" pkill -KILL -u "$player" -x quorbels || true; fi
  if [ -n "$installed" ]; then "${AS_ROOT[@]}" dpkg --purge quorbels >/dev/null 2>&1 || true; fi
  if [ -n "$made_player" ]; then "${AS_ROOT[@]}" userdel --remove "$player" >/dev/null 2>&1 || true; fi
  [ -z "${xdg:-}" ] || "${AS_ROOT[@]}" rm -rf "$xdg"
  e2e_cleanup
  exit "$code"
}
trap finish EXIT

# Build the package from this build.
deb=$("$root/scripts/package" "$E2E_DIR" 2>"$E2E_DIR/package.txt") ||
  e2e_fail "scripts/package failed: $(tail -n 20 "$E2E_DIR/package.txt")"
# The script's report, lintian's findings among it, is kept with the screenshots.
cp "$E2E_DIR/package.txt" "$ARTIFACTS/${E2E_NAME}_report.txt"
! grep -q '^E:' "$E2E_DIR/package.txt" || e2e_fail "lintian errors: $(grep '^E:' "$E2E_DIR/package.txt")"
version=$(dpkg-deb -f "$deb" Version)
[ "$("$QUORBELS_BUILD/quorbels" --version | head -n 1)" = "quorbels ${version%-*}" ] ||
  e2e_fail "the package's version $version is not the game's"

# What of the package's paths the machine has before: exactly these may remain
# after the purge.
paths=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|; s|/$||' | grep -v '^$' | sort)
present() { while read -r p; do if [ -e "$p" ] || [ -L "$p" ]; then echo "$p"; fi; done <<<"$paths"; }
before=$(present)

# Install; dependencies dpkg cannot find on the machine come from apt.
installed=yes
if ! "${AS_ROOT[@]}" dpkg -i "$deb" >"$E2E_DIR/dpkg.txt" 2>&1; then
  "${AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -f --no-install-recommends \
    >>"$E2E_DIR/dpkg.txt" 2>&1 || e2e_fail "the package does not install: $(tail -n 20 "$E2E_DIR/dpkg.txt")"
fi
dpkg-query -W -f='${Status}' quorbels | grep -q "ok installed" || e2e_fail "dpkg does not list quorbels as installed"
[ "$(readlink -f /usr/games/quorbels)" = /usr/lib/games/quorbels/quorbels ] || e2e_fail "/usr/games/quorbels"
[ "$(readlink -f /usr/lib/games/quorbels/data)" = /usr/share/games/quorbels/data ] ||
  e2e_fail "the program's data folder is not /usr/share/games/quorbels/data"
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l /usr/share/man/man6/quorbels.6.gz 2>&1 >/dev/null)
[ -z "$man_warnings" ] || e2e_fail "the installed manual page: $man_warnings"

# An ordinary user of the machine, who can reach this display.
if ! id "$player" >/dev/null 2>&1; then
  "${AS_ROOT[@]}" useradd --create-home --shell /bin/sh "$player" || e2e_fail "useradd $player failed"
  made_player=yes
fi
home=$(getent passwd "$player" | cut -d: -f6)
xdg=$("${AS_ROOT[@]}" setpriv --reuid "$player" --regid "$player" --init-groups mktemp -d /tmp/quorbels-xdg-XXXXXX)
player_env=(env -i HOME="$home" USER="$player" LOGNAME="$player" DISPLAY="$DISPLAY" XDG_DATA_HOME="$xdg"
  SDL_AUDIODRIVER=dummy PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games)
if [ -n "${XAUTHORITY:-}" ] && [ -r "$XAUTHORITY" ]; then
  xauth extract - "$DISPLAY" | "${AS_ROOT[@]}" setpriv --reuid "$player" --regid "$player" --init-groups \
    xauth -f "$xdg/.Xauthority" merge - || e2e_fail "the display's cookie could not be handed to $player"
  player_env+=(XAUTHORITY="$xdg/.Xauthority")
fi

# The player starts the game by its name, from their own PATH. A shell of this
# test's own user waits for it, so the journey's helpers can watch that process
# (a sudo process is beyond the reach of a user's signals) and get the exit code.
e2e_start_command bash -c '"$@"; exit $?' player "${AS_ROOT[@]}" \
  setpriv --reuid "$player" --regid "$player" --init-groups "${player_env[@]}" quorbels
game=$(pgrep -u "$player" -x quorbels | head -n 1) || e2e_fail "no quorbels process of $player"
[ "$("${AS_ROOT[@]}" readlink "/proc/$game/exe")" = /usr/lib/games/quorbels/quorbels ] ||
  e2e_fail "the running program is not the installed one"
e2e_wait_until 90 "the title screen" e2e_picture_bright
e2e_screenshot title >/dev/null

# A clean quit (the window system's close request) saves into the player's folder.
"${AS_ROOT[@]}" kill -TERM "$game"
e2e_wait_exit 30
[ "$E2E_EXIT_CODE" -eq 0 ] || e2e_fail "the installed game ended with code $E2E_EXIT_CODE"
for f in opt.dat:7 hsc.dat:1092; do
  file=$xdg/quorbels/${f%:*}
  [ "$("${AS_ROOT[@]}" stat -c '%s %U' "$file" 2>/dev/null)" = "${f#*:} $player" ] ||
    e2e_fail "no ${f#*:}-byte ${f%:*} of $player in \$XDG_DATA_HOME/quorbels"
done
changed=$(dpkg --verify quorbels 2>&1) || true
[ -z "$changed" ] || e2e_fail "files of the package changed: $changed"

# Purge: the package's files and folders are gone; what was there before stays.
"${AS_ROOT[@]}" dpkg --purge quorbels >"$E2E_DIR/purge.txt" 2>&1 ||
  e2e_fail "dpkg --purge failed: $(cat "$E2E_DIR/purge.txt")"
installed=""
! dpkg-query -W -f='${Status}' quorbels 2>/dev/null | grep -q "installed" || e2e_fail "quorbels is still installed"
after=$(present)
[ "$after" = "$before" ] || e2e_fail "left behind: $(comm -13 <(echo "$before") <(echo "$after") | xargs)"
echo "package: passed ($(basename "$deb"); lintian: $(grep -c '^[WIPX]:' "$E2E_DIR/package.txt") notes, no error)"
