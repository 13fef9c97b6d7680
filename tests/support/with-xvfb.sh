#!/bin/bash
# with-xvfb.sh "SERVER ARGS" COMMAND...: run COMMAND under a private X server.
# The server chooses a free display itself (-displayfd), so two runs never share
# one, and it has fully exited before this script returns, so the next run
# never meets a server that is still shutting down.
set -euo pipefail

server_args=$1
shift

dir=$(mktemp -d "${TMPDIR:-/tmp}/qr-xvfb.XXXXXX")
server=
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT

export XAUTHORITY=$dir/Xauthority
cookie=$(mcookie)
# The server loads every cookie in its file whatever the display; clients look
# theirs up by display number, added once the server has told us its number.
: >"$XAUTHORITY"
xauth -q -f "$XAUTHORITY" add :0 . "$cookie"

mkfifo "$dir/display"
# shellcheck disable=SC2086 # the server arguments are a word list
Xvfb -displayfd 3 -nolisten tcp -noreset -auth "$XAUTHORITY" $server_args \
  3>"$dir/display" >"$dir/server.log" 2>&1 &
server=$!

number=
read -r -t 30 number <"$dir/display" || true
if [ -z "$number" ]; then
  echo "with-xvfb: the X server did not start" >&2
  cat "$dir/server.log" >&2
  exit 1
fi
xauth -q -f "$XAUTHORITY" add ":$number" . "$cookie"

export DISPLAY=:$number
rc=0
"$@" || rc=$?
exit "$rc"
