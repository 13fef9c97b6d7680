#!/bin/bash
# run-soak.sh PLAYER MINUTES [OPENS]: the player as it runs, under a private X
# server and session bus, driven through the desktop's media controls: 150
# files opened to warm up, a 2 s clip on repeat for MINUTES, then OPENS (500)
# files of five kinds opened in a row, each once the one before is open.
# Resident memory and open descriptors are sampled every 10 s. Fails when,
# after the first minute and the warm-up, either grew by more than 5 %, or a
# file did not open, a message box came up or the clip stopped repeating.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${QR_SOAK_INSIDE:-}" ] || exec env QR_SOAK_INSIDE=1 "$here/../support/with-xvfb.sh" \
  "-screen 0 1280x1024x24 -dpi 96" dbus-run-session -- "$0" "$@"
player=$1 repeat_s=$(awk -v m="$2" 'BEGIN { print int(m * 60) }') opens=${3:-500}
work=$(mktemp -d "${TMPDIR:-/tmp}/qr-soak.XXXXXX")
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
# Keep the player's store, per-user settings and runtime files out of the real home.
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run QUILVANE_RYN_REGISTRY=$work/registry.db
mkdir -m 700 "$XDG_RUNTIME_DIR"

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "$1" -f lavfi -i sine=duration=2 -shortest "${@:2}"; }
picture() { echo "testsrc2=size=$1:rate=25:duration=2"; }
kinds=$work/kinds
mkdir "$kinds" "$work/opens"
ff "$(picture 352x240)" -c:v mpeg1video -q:v 4 -c:a mp2 "$kinds/clip.mpg"
ff "$(picture 640x480)" -c:v mpeg4 -q:v 5 -c:a libmp3lame "$kinds/clip.avi"
ff "$(picture 480x360)" -c:v libx264 -preset ultrafast -c:a aac "$kinds/clip.mp4"
ff "$(picture 320x180)" -c:v libx264 -preset ultrafast -c:a libvorbis "$kinds/clip.mkv"
ff sine=duration=2 -map 0 -c:a libmp3lame "$kinds/clip.mp3"
exts=(mpg avi mp4 mkv mp3)
for ((i = 0; i < opens; i++)); do ln -s "$kinds/clip.${exts[i % 5]}" "$work/opens/$(printf %04d $i).${exts[i % 5]}"; done

# No splash, files play as they open, and repeat is remembered: every file plays on repeat.
key='HKEY_LOCAL_MACHINE\Software\Tarvell\Quilvane\Ryn'
reg=$(dirname "$player")/quilvane-ryn-reg
"$reg" create "$key"
for kv in Splash=no Autostart=yes RememberPlayer=yes RMP_Repeat=yes; do "$reg" set "$key" "${kv%=*}" "${kv#*=}"; done
# glibc gives a thread that allocates while others do an arena of its own, up
# to eight per core, and keeps what each arena once held. The decoders' threads
# come and go with every file, so without a limit resident memory climbs over
# the first few hundred opens to a plateau that is no leak, and hides one.
MALLOC_ARENA_MAX=2 "$player" >"$work/player.log" 2>&1 &
pid=$!
start=$SECONDS next_sample=0 phase=warm-up loops=0 opened=0 problems=()
mpris() { playerctl --player=quilvane_ryn "$@" 2>/dev/null; }
for _ in $(seq 300); do mpris status >/dev/null && break || sleep 0.1; done

# Every 10 s: seconds, resident kB, descriptors, phase, loops, files opened.
sample() {
  ((SECONDS - start >= next_sample)) || return 0
  kill -0 "$pid" 2>/dev/null || { cat "$work/player.log" && echo "soak FAILED: the player ended" && exit 1; }
  next_sample=$((next_sample + 10))
  printf '%7d %9d %5d %-8s %6d %6d\n' $((SECONDS - start)) "$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")" \
    "$(ls "/proc/$pid/fd" | wc -l)" $phase $loops $opened | tee -a "$work/samples"
}
# The player's boxes wait for a click nobody gives: each is noted and closed.
no_box() {
  local box
  box=$(xdotool search --onlyvisible --name '^(Error|Fatal error)$' 2>/dev/null | head -n 1) || return 0
  problems+=("a box: $(xdotool getwindowname "$box")") && xdotool windowfocus --sync "$box" key Return
}
# open FILE: through the bus, waiting (15 s at most) until the engine knows its length.
open() {
  mpris open "file://$1"
  for _ in $(seq 150); do
    no_box && sample
    [ "$(mpris metadata xesam:title)" = "${1##*/}" ] && [ -n "$(mpris metadata mpris:length)" ] && return
    sleep 0.1
  done
  problems+=("not open after 15 s: $1") && return 1
}

printf '%7s %9s %5s %-8s %6s %6s\n' s 'RSS kB' fds phase loops opens
files=("$work"/opens/*)
for file in "${files[@]:0:150}"; do open "$file" || true; done
phase=repeat warm_up_end=$((SECONDS - start))
open "$kinds/clip.mpg" || true
# A loop is the position going back to the start.
last=0 until=$((SECONDS + repeat_s))
while ((SECONDS < until)); do
  now=$(mpris position) || now=$last
  awk -v a="$now" -v b="$last" 'BEGIN { exit !(a < b - 0.5) }' && loops=$((loops + 1))
  last=$now && no_box && sample && sleep 0.2
done
phase=opens
for file in "${files[@]}"; do open "$file" && opened=$((opened + 1)) || true; done
next_sample=0 && sample

dbus-send --session --dest=org.mpris.MediaPlayer2.quilvane_ryn /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null && sleep 0.1 || break; done
expected=$((repeat_s / 2)) ok=1
printf 'problem: %s\n' "${problems[@]}" | grep -v '^problem: $' && ok=0
echo "clip played $loops times in $repeat_s s (a 2 s clip: about $expected); $opened of $opens files opened"
((loops >= expected * 3 / 4 && opened == opens)) || ok=0
# Whole descriptors: with ten or so open, one more is the file being opened as the sample was taken.
awk -v from=$((warm_up_end > 60 ? warm_up_end : 60)) '$1 >= from {
    if (!rss) { rss = $2; fds = $3; at = $1 } if ($2 > maxrss) maxrss = $2; if ($3 > maxfds) maxfds = $3 }
  END { if (!rss) { print "too short: no sample after the first minute and the warm-up"; exit 1 }
    printf "after %d s: RSS %d kB, at most %d kB later; %d descriptors, at most %d later (5 %% allowed, rounded up)\n", at, rss, maxrss, fds, maxfds
    exit !(maxrss <= rss * 1.05 && maxfds <= int(fds * 1.05 + 0.999)) }' "$work/samples" || ok=0
((ok)) && echo "soak passed" || { echo "soak FAILED" && exit 1; }
