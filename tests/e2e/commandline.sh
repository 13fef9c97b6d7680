# --help and --version answer on standard output with status 0 and an unknown
# option is refused on standard error with status 2, all before Qt starts:
# no display is needed and the settings are not touched.
# Usage: commandline.sh PLAYER
unset DISPLAY WAYLAND_DISPLAY
source "$(dirname "$0")/lib.sh" "$1" -
# Qt told to use X with no display at all: were Qt started, it would abort.
export QT_QPA_PLATFORM=xcb

while read -r option rc out err; do
  RC=0
  timeout 20 "$PLAYER" "$option" >"$WORK/out" 2>"$WORK/player.log" || RC=$?
  [ "$RC" = "$rc" ] || fail "$option ended with status $RC, not $rc"
  [[ "$(cat "$WORK/out")" =~ $out ]] || fail "$option printed on standard output: $(cat "$WORK/out")"
  [[ "$(cat "$WORK/player.log")" =~ $err ]] || fail "$option printed on standard error what is shown below"
done <<'EOT'
--help 0 ^Usage:.quilvane-ryn.*QUILVANE_RYN_RENDER=gl[|]sw ^$
--version 0 ^Quilvane.Ryn.1\.0\.1$ ^$
--no-such-option 2 ^$ ^[[:print:]]*--no-such-option[[:print:]]*$
EOT
[ ! -e "$WORK/registry.db" ] && [ ! -e "$WORK/config" ] || fail "answering the command line touched the settings"
echo "--help, --version and an unknown option answered without a display"
