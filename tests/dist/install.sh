# make install into a scratch DESTDIR, without building (other tests run the
# build's programs meanwhile), puts exactly the listed files in place, each
# valid of its kind; make uninstall then removes them and the folders the
# install made, and nothing else.
# Usage: install.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qr-install.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
ROOT=$WORK/root PREFIX=/opt/quilvane ID=example.tarvell.QuilvaneRyn SHARE=$WORK/root/opt/quilvane/share
fail() { echo "FAIL: $*" >&2 && exit 1; }
run_make() {
  env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -s -C "$1" BUILD="$2" NOBUILD=1 PREFIX=$PREFIX DESTDIR="$ROOT" \
    INSTALLED="$WORK/installed.txt" "$3" >"$WORK/make.log" 2>&1 || { cat "$WORK/make.log" >&2 && fail "make $3 failed"; }
}

# Something of someone else's in a folder the install shares.
mkdir -p "$SHARE/applications"
echo '[Desktop Entry]' >"$SHARE/applications/other.desktop"
run_make "$1" "$2" install
(cd "$ROOT$PREFIX" && find . ! -type d ! -name other.desktop | sed 's|^\./||' | LC_ALL=C sort) >"$WORK/files.txt"
diff -u "$HERE/installed-files.txt" "$WORK/files.txt" || fail "the installed files differ from installed-files.txt"

out=$(desktop-file-validate "$SHARE/applications/$ID.desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net "$SHARE/metainfo/$ID.metainfo.xml" 2>&1) || fail "appstreamcli: $out"
for page in "$SHARE"/man/man1/*.1.gz; do
  out=$(zcat "$page" | LC_ALL=C.UTF-8 groff -man -ww -z 2>&1) && [ -z "$out" ] || fail "$(basename "$page"): $out"
done
for size in 16 24 32 48 64 128 256; do
  png=$SHARE/icons/hicolor/${size}x$size/apps/$ID.png
  [[ "$(file -b "$png")" == "PNG image data, $size x $size, 8-bit/color RGBA"* ]] || fail "$png is $(file -b "$png")"
done
# The installed programs run from there (the player answers --version without a display).
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$ROOT$PREFIX/bin/quilvane-ryn" --version 2>&1) && [[ $out == "Quilvane Ryn "* ]] ||
  fail "quilvane-ryn --version printed: $out"
[[ "$("$ROOT$PREFIX/bin/quilvane-ryn-reg" help)" == 'usage: quilvane-ryn-reg'* ]] || fail "quilvane-ryn-reg help printed no usage"

run_make "$1" "$2" uninstall
left=$(cd "$ROOT" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
[ "$left" = "./opt ./opt/quilvane ./opt/quilvane/share ./opt/quilvane/share/applications ./opt/quilvane/share/applications/other.desktop " ] ||
  fail "left after uninstall: $left"
echo "installed and removed $(wc -l <"$HERE/installed-files.txt") files under $PREFIX"
