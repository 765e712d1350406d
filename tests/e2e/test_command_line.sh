#!/usr/bin/env bash
# The command line of the real program: --help lists every option (and the manual
# page and the README document each of them), --version names the build's
# version, a bad argument is named on stderr with exit status 2 before anything
# starts, and --fullscreen / --windowed choose the display of one run without
# changing the saved option.
source "$(dirname "$0")/lib.sh"
e2e_setup
root=$(cd "$(dirname "$0")/../.." && pwd)
man_page=$QUORBELS_BUILD/install/quorbels.6
out=$E2E_DIR/stdout.txt
err=$E2E_DIR/stderr.txt

# Runs the private copy with arguments, without a display; sets `code`.
run() {
  code=0
  (cd "$E2E_DIR" && env -u DISPLAY SDL_VIDEODRIVER=offscreen timeout 20 ./quorbels "$@") >"$out" 2>"$err" || code=$?
}

run --help
[ "$code" -eq 0 ] || e2e_fail "--help exits with $code"
[ ! -s "$err" ] || e2e_fail "--help writes to stderr: $(cat "$err")"
head -n 1 "$out" | grep -q '^Usage: quorbels \[OPTION\]' || e2e_fail "--help does not start with the usage: $(head -n 1 "$out")"
options=$(grep -o '^  --[a-z-]*' "$out" | sed 's/^ *//')
[ "$(echo "$options" | wc -l)" -ge 6 ] || e2e_fail "--help lists only: $options"
LC_ALL=C MANWIDTH=80 man -l "$man_page" 2>/dev/null | col -b >"$E2E_DIR/man.txt"
for option in $options; do
  grep -q -- "^ *$option" "$E2E_DIR/man.txt" || e2e_fail "the manual page does not describe $option"
  grep -q -- "\`$option" "$root/README.md" || e2e_fail "the README does not name $option"
done
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man_page" 2>&1 >/dev/null)
[ -z "$warnings" ] || e2e_fail "the manual page renders with warnings: $warnings"
lexgrog "$man_page" | grep -q 'quorbels - ' || e2e_fail "the manual page's NAME cannot be read: $(lexgrog "$man_page")"

run --version
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$QUORBELS_BUILD/CMakeCache.txt")
[ "$code" -eq 0 ] && [ "$(head -n 1 "$out")" = "quorbels $version" ] ||
  e2e_fail "--version exits with $code and says '$(head -n 1 "$out")', not 'quorbels $version'"

# Bad arguments: each named, a pointer to --help, status 2, nothing started.
run --windowed --bogus --multisample=sometimes level7
[ "$code" -eq 2 ] || e2e_fail "bad arguments exit with $code, not 2"
[ ! -s "$out" ] || e2e_fail "bad arguments write to stdout: $(cat "$out")"
for named in "'--bogus'" "'sometimes' for '--multisample'" "'level7'" "Try 'quorbels --help' for more information."; do
  grep -qF -- "$named" "$err" || e2e_fail "the message does not say $named: $(cat "$err")"
done

# --fullscreen over a saved window, then --windowed over a saved full screen: the
# window follows the command line, the options file is left as it was.
read -r dw dh <<<"$(xdotool getdisplaygeometry)"
opt=$(e2e_data)/misc/opt.dat
for run_case in "0 --fullscreen ${dw}x$dh" "1 --windowed 800x600"; do
  read -r saved option size <<<"$run_case"
  e2e_set_options "$saved" 1 1 1 4 7 7
  before=$(md5sum <"$opt")
  # The two switches of the frame-pacing work are taken along: they must not stop a start.
  e2e_start_command ./quorbels "$option" --multisample=auto --no-pacing
  read -r _ _ w h <<<"$(e2e_geometry)"
  [ "${w}x$h" = "$size" ] || e2e_fail "$option over the saved option $saved: the window is ${w}x$h, not $size"
  e2e_screenshot "${option#--}" >/dev/null
  e2e_quit
  [ "$(md5sum <"$opt")" = "$before" ] || e2e_fail "$option changed the options file"
done
echo "command line: passed"
