#!/usr/bin/env bash
# Makes the engine tests' clips with ffmpeg's test sources. Files that are
# already there are kept, so a second run costs nothing.
set -euo pipefail

out="${1:-${QR_TEST_MEDIA:-}}"
if [ -z "$out" ]; then
    echo "usage: $0 OUTPUT_DIR (or set QR_TEST_MEDIA)" >&2
    exit 2
fi
mkdir -p "$out"
cd "$out"

secs=2
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
picture() { echo "testsrc2=size=$1:rate=${2:-25}:duration=$secs"; }
tone() { echo "sine=frequency=440:sample_rate=44100:duration=$secs"; }

# Written under a temporary name first so that an interrupted run leaves no
# half file that the next run would keep.
produce() {
    local name=$1
    shift
    [ -s "$name" ] && return 0
    local tmp="tmp-$name"
    "$@" "$tmp"
    mv "$tmp" "$name"
}

mpg() { ff -f lavfi -i "$(picture 352x240)" -f lavfi -i "$(tone)" \
    -c:v mpeg1video -b:v 800k -c:a mp2 -b:a 128k -f mpeg "$1"; }
produce clip.mpg mpg
produce clip.dat cp clip.mpg

avi() { ff -f lavfi -i "$(picture 640x480)" -f lavfi -i "$(tone)" \
    -c:v mpeg4 -vtag XVID -q:v 5 -c:a libmp3lame -b:a 96k -f avi "$1"; }
produce clip.avi avi

# A film's 23.976 frames per second, which the engine must report as such.
mp4() { ff -f lavfi -i "$(picture 1280x720 24000/1001)" -f lavfi -i "$(tone)" \
    -c:v libx264 -preset veryfast -crf 30 -pix_fmt yuv420p -c:a aac -b:a 96k \
    -movflags +faststart -f mp4 "$1"; }
produce film.mp4 mp4

asf() { ff -f lavfi -i "$(picture 320x240)" -f lavfi -i "$(tone)" \
    -c:v wmv2 -b:v 500k -c:a wmav2 -b:a 64k -f asf "$1"; }
produce clip.asf asf

mp3() { ff -f lavfi -i "$(tone)" -c:a libmp3lame -b:a 96k -f mp3 "$1"; }
produce clip.mp3 mp3

# 720x576 stored, shown at 16:9: the engine must report 1024x576.
wide() { ff -f lavfi -i "$(picture 720x576)" -f lavfi -i "$(tone)" \
    -c:v mpeg2video -b:v 1500k -aspect 16:9 -c:a mp2 -b:a 128k -f mpeg "$1"; }
produce anamorphic.mpg wide

# The first half of the AVI: it plays what is there.
cut() { head -c $(($(stat -c %s clip.avi) / 2)) clip.avi >"$1"; }
produce truncated.avi cut

# Seeded noise, so that every run fails the same way.
noise() { ff -f lavfi -i anoisesrc=color=white:amplitude=1:seed=1997:duration=1 \
    -ar 32768 -ac 1 -c:a pcm_s16le -f s16le "$1"; }
produce garbage.avi noise
