# --help and --version answer on standard output with status 0 and an unknown
# option is refused with status 2, all before Qt starts: no display is needed.
# Usage: commandline.sh PLAYER
set -euo pipefail

PLAYER=$1
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qr-cli.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
# No display at all, and Qt told to use X: were Qt started, it would abort.
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb QUILVANE_RYN_REGISTRY=$WORK/registry.db HOME=$WORK XDG_CONFIG_HOME=$WORK/config

fail() {
  echo "FAIL: $*" >&2
  for f in out err; do
    [ ! -s "$WORK/$f" ] || { echo "--- standard $f:" >&2; cat "$WORK/$f" >&2; }
  done
  exit 1
}

# run ARGS...: sets RC; the output goes to $WORK/out and $WORK/err.
run() {
  RC=0
  timeout 20 "$PLAYER" "$@" >"$WORK/out" 2>"$WORK/err" || RC=$?
}

run --help
[ "$RC" = 0 ] || fail "--help ended with status $RC"
grep -q '^Usage: quilvane-ryn ' "$WORK/out" || fail "--help printed no usage line"
grep -q 'QUILVANE_RYN_RENDER=gl|sw' "$WORK/out" || fail "--help does not name QUILVANE_RYN_RENDER"
[ ! -s "$WORK/err" ] || fail "--help wrote to standard error"

run --version
[ "$RC" = 0 ] || fail "--version ended with status $RC"
[ "$(cat "$WORK/out")" = "Quilvane Ryn 1.0.1" ] || fail "--version printed: $(cat "$WORK/out")"

run --no-such-option
[ "$RC" = 2 ] || fail "an unknown option ended with status $RC, not 2"
[ ! -s "$WORK/out" ] || fail "an unknown option wrote to standard output"
[ "$(wc -l <"$WORK/err")" = 1 ] && grep -q -- "--no-such-option" "$WORK/err" || fail "the error is not one line naming the option"

[ ! -e "$WORK/registry.db" ] && [ ! -e "$WORK/config" ] || fail "answering the command line touched the settings"
echo "--help, --version and an unknown option answered without a display"
