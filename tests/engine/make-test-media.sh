#!/usr/bin/env bash
# make-test-media.sh DIR: the engine tests' clips, two seconds each, made by
# ffmpeg's test sources. Files already there are kept.
set -euo pipefail
mkdir -p "$1" && cd "$1"

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
tone=sine=frequency=440:sample_rate=44100:duration=2
av() { ff -f lavfi -i "testsrc2=size=$1:rate=$2:duration=2" -f lavfi -i "$tone" "${@:3}"; }
# NAME COMMAND...: made under a temporary name, so that an interrupted run leaves no half file.
produce() { [ -s "$1" ] || { "${@:2}" "tmp-$1" && mv "tmp-$1" "$1"; }; }

produce clip.mpg av 352x240 25 -c:v mpeg1video -b:v 800k -c:a mp2 -f mpeg
produce clip.avi av 640x480 25 -c:v mpeg4 -vtag XVID -q:v 5 -c:a libmp3lame -b:a 96k -f avi
produce film.mp4 av 1280x720 24000/1001 -c:v libx264 -preset veryfast -crf 30 -pix_fmt yuv420p -c:a aac -f mp4
produce clip.asf av 320x240 25 -c:v wmv2 -b:v 500k -c:a wmav2 -b:a 64k -f asf
produce clip.mp3 ff -f lavfi -i "$tone" -c:a libmp3lame -b:a 96k -f mp3
# 720x576 stored, shown at 16:9: 1024x576.
produce anamorphic.mpg av 720x576 25 -c:v mpeg2video -b:v 1500k -aspect 16:9 -c:a mp2 -f mpeg
# Two audio tracks (English stereo AC-3, German mono Vorbis), two SubRip tracks (the first the default) and a
# title tag. Each subtitle: a cue until 0.8 s, a gap, a cue from 1.2 s.
srt() { printf '1\n00:00:00,000 --> 00:00:00,800\n%s\n\n2\n00:00:01,200 --> 00:00:02,000\n%s\n' "$@"; }
mkv() {
    srt $'Top line\nBottom line' Later >full.srt && srt Oben Unten >forced.srt
    av 320x240 25 -f lavfi -i sine=frequency=660:duration=2 -i full.srt -i forced.srt -map 0 -map 1 -map 2 -map 3 \
        -map 4 -c:v mpeg4 -q:v 5 -c:a:0 ac3 -ac:a:0 2 -c:a:1 libvorbis -c:s srt -metadata title="Test Title" \
        -metadata:s:a:0 language=eng -metadata:s:a:0 title=Main -metadata:s:a:1 language=ger \
        -metadata:s:a:1 title=Commentary -metadata:s:s:0 language=eng -metadata:s:s:0 title=Full \
        -metadata:s:s:1 language=ger -metadata:s:s:1 title=Forced -f matroska "$1"
}
produce tracks.mkv mkv
cut() { head -c $(($(stat -c %s clip.avi) / 2)) clip.avi >"$1"; }
produce truncated.avi cut
# Seeded noise: every run fails the same way.
produce garbage.avi ff -f lavfi -i anoisesrc=seed=1997:duration=1 -ar 32768 -ac 1 -c:a pcm_s16le -f s16le
