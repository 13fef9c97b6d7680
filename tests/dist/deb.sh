# The Debian package: built by CPack from the build folder, it holds exactly
# the listed files under /usr, owned by root with the usual modes, depends on
# libmpv and the Qt 6 libraries, and passes AppStream's check of the tree.
# Usage: deb.sh BUILD_DIR
set -euo pipefail

BUILD=$1
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qr-deb.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Into the scratch folder, so that a package made by make deb stays as it is.
(cd "$BUILD" && cpack -G DEB -B "$WORK/out") >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log" >&2; fail "cpack failed"; }
debs=("$WORK/out"/quilvane-ryn_*_"$(dpkg --print-architecture)".deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "no single package in $WORK/out: $(ls "$WORK/out")"
DEB=${debs[0]}
version=$(dpkg-deb -f "$DEB" Version)
[ "$(basename "$DEB")" = "quilvane-ryn_${version}_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$DEB")"

dpkg-deb -c "$DEB" >"$WORK/contents.txt"
awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' "$WORK/contents.txt" | LC_ALL=C sort >"$WORK/files.txt"
diff -u "$HERE/installed-files.txt" "$WORK/files.txt" || fail "the package's files differ from installed-files.txt"
# Modes and owners: programs 755, other files 644, folders 755, all root's.
awk '{ kind = $1 ~ /^d/ ? "dir" : $6 ~ /\/bin\// ? "program" : "file"
       want = kind == "file" ? "-rw-r--r--" : kind == "dir" ? "drwxr-xr-x" : "-rwxr-xr-x"
       if ($1 != want || $2 != "root/root") print $1, $2, $6 }' "$WORK/contents.txt" >"$WORK/modes.txt"
[ ! -s "$WORK/modes.txt" ] || fail "unexpected modes or owners: $(cat "$WORK/modes.txt")"

depends=$(dpkg-deb -f "$DEB" Depends)
for lib in libmpv2 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libsqlite3-0 qt6-qpa-plugins; do
  grep -Eq "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends does not name $lib: $depends"
done

dpkg-deb -x "$DEB" "$WORK/tree"
zcat "$WORK/tree/usr/share/doc/quilvane-ryn/changelog.gz" >"$WORK/changelog"
[ "$(dpkg-parsechangelog -l "$WORK/changelog" -S Version)" = "$version" ] ||
  fail "the changelog has no entry for $version"
appstreamcli validate-tree --no-net "$WORK/tree" >"$WORK/appstream.log" 2>&1 ||
  { cat "$WORK/appstream.log" >&2; fail "appstreamcli rejects the package tree"; }
echo "$(basename "$DEB"): $(wc -l <"$WORK/files.txt") files; Depends: $depends"
