# make install into a scratch DESTDIR puts exactly the listed files in place,
# each valid of its kind; make uninstall then removes them and the folders the
# install made, and nothing else.
# Usage: install.sh SOURCE_DIR BUILD_DIR
set -euo pipefail

SRC=$1
BUILD=$2
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qr-install.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
ROOT=$WORK/root
PREFIX=/opt/quilvane
ID=example.tarvell.QuilvaneRyn

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Something of someone else's in a folder the install shares.
mkdir -p "$ROOT$PREFIX/share/applications"
echo '[Desktop Entry]' >"$ROOT$PREFIX/share/applications/other.desktop"

run_make() {
  env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -s -C "$SRC" BUILD="$BUILD" PREFIX="$PREFIX" DESTDIR="$ROOT" INSTALLED="$WORK/installed.txt" "$@" \
    >"$WORK/make.log" 2>&1 || { cat "$WORK/make.log" >&2; fail "make $* failed"; }
}

run_make install
(cd "$ROOT$PREFIX" && find . ! -type d ! -name other.desktop | sed 's|^\./||' | LC_ALL=C sort) >"$WORK/files.txt"
diff -u "$HERE/installed-files.txt" "$WORK/files.txt" || fail "the installed files differ from installed-files.txt"

share=$ROOT$PREFIX/share
out=$(desktop-file-validate "$share/applications/$ID.desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate warns: $out"
appstreamcli validate --no-net "$share/metainfo/$ID.metainfo.xml" >"$WORK/appstream.log" 2>&1 ||
  { cat "$WORK/appstream.log" >&2; fail "appstreamcli rejects the metainfo"; }
for page in "$share"/man/man1/*.1.gz; do
  warnings=$(zcat "$page" | LC_ALL=C.UTF-8 groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/$ID.png
  file -b "$png" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" || fail "$png is $(file -b "$png")"
done
# The installed programs run from there (the player answers --version without a display).
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$ROOT$PREFIX/bin/quilvane-ryn" --version 2>&1) || fail "quilvane-ryn --version: $version"
[[ $version == "Quilvane Ryn "* ]] || fail "quilvane-ryn --version printed: $version"
"$ROOT$PREFIX/bin/quilvane-ryn-reg" help | grep -q '^usage: quilvane-ryn-reg' || fail "quilvane-ryn-reg help printed no usage"

run_make uninstall
left=$(cd "$ROOT" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
kept="./opt ./opt/quilvane ./opt/quilvane/share ./opt/quilvane/share/applications"
[ "$left" = "$kept ./opt/quilvane/share/applications/other.desktop " ] || fail "left after uninstall: $left"
echo "installed and removed $(wc -l <"$HERE/installed-files.txt") files under $PREFIX"
