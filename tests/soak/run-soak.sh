#!/bin/bash
# run-soak.sh SOAK_PROGRAM MINUTES [OPENS]: makes 2 s clips of five kinds and
# OPENS (500) names for them, and runs the soak under a private X server.
set -euo pipefail
soak=$1
minutes=$2
opens=${3:-500}
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/qr-soak.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Keep the player's per-user settings and runtime files out of the real home.
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
picture() { echo "testsrc2=size=$1:rate=25:duration=2"; }
tone=sine=frequency=440:duration=2
kinds=$work/kinds
mkdir "$kinds" "$work/opens"
ff -f lavfi -i "$(picture 352x240)" -f lavfi -i "$tone" -c:v mpeg1video -q:v 4 -c:a mp2 -shortest "$kinds/clip.mpg"
ff -f lavfi -i "$(picture 640x480)" -f lavfi -i "$tone" -c:v mpeg4 -q:v 5 -c:a libmp3lame -shortest "$kinds/clip.avi"
ff -f lavfi -i "$(picture 480x360)" -f lavfi -i "$tone" -c:v libx264 -preset ultrafast -c:a aac -shortest "$kinds/clip.mp4"
ff -f lavfi -i "$(picture 320x180)" -f lavfi -i "$tone" -c:v libx264 -preset ultrafast -c:a libvorbis -shortest "$kinds/clip.mkv"
ff -f lavfi -i "$tone" -c:a libmp3lame "$kinds/clip.mp3"
exts=(mpg avi mp4 mkv mp3)
for ((i = 0; i < opens; i++)); do
  ext=${exts[i % ${#exts[@]}]}
  ln -s "$kinds/clip.$ext" "$work/opens/$(printf %04d "$i").$ext"
done

# glibc gives a thread that allocates while others do an arena of its own, up
# to eight per core, and keeps what each arena once held. The decoders' threads
# come and go with every file, so without a limit resident memory climbs over
# the first few hundred opens to a plateau that is no leak, and hides one.
export MALLOC_ARENA_MAX=2

echo "soak: $minutes min of a 2 s clip on repeat, then $opens files opened in a row"
"$here/../support/with-xvfb.sh" "-screen 0 1280x1024x24 -dpi 96" "$soak" "$minutes" "$kinds/clip.mpg" "$work/opens"
