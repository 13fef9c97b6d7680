# The Debian package: made by CPack from the build folder without building
# (other tests run the build's programs meanwhile), it holds exactly the
# listed files under /usr, owned by root with the usual modes, depends on
# libmpv and the Qt 6 libraries, and passes AppStream's check of the tree.
# Usage: deb.sh BUILD_DIR
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qr-deb.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }

# Into the scratch folder, so that a package made by make deb stays as it is.
# Told of a generator without Make's preinstall step, CPack only installs.
(cd "$1" && cpack -G DEB -B "$WORK/out" -D CPACK_CMAKE_GENERATOR=Ninja) >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log" >&2 && fail "cpack failed"; }
debs=("$WORK/out"/quilvane-ryn_*_"$(dpkg --print-architecture)".deb)
DEB=${debs[0]}
version=$(dpkg-deb -f "$DEB" Version) || fail "no package in $WORK/out: $(ls "$WORK/out")"
[ ${#debs[@]} = 1 ] && [ "$(basename "$DEB")" = "quilvane-ryn_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "not one package named for its version: ${debs[*]}"

dpkg-deb -c "$DEB" >"$WORK/contents.txt"
awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' "$WORK/contents.txt" | LC_ALL=C sort >"$WORK/files.txt"
diff -u "$HERE/installed-files.txt" "$WORK/files.txt" || fail "the package's files differ from installed-files.txt"
# Modes and owners: programs 755, other files 644, folders 755, all root's.
bad=$(awk '{ want = $1 ~ /^d/ ? "drwxr-xr-x" : $6 ~ /\/bin\// ? "-rwxr-xr-x" : "-rw-r--r--"
             if ($1 != want || $2 != "root/root") print $1, $2, $6 }' "$WORK/contents.txt")
[ -z "$bad" ] || fail "unexpected modes or owners: $bad"
depends=$(dpkg-deb -f "$DEB" Depends)
for lib in libmpv2 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libsqlite3-0 qt6-qpa-plugins; do
  [[ ", $depends," =~ ,\ $lib[\ ,] ]] || fail "Depends does not name $lib: $depends"
done

dpkg-deb -x "$DEB" "$WORK/tree"
zcat "$WORK/tree/usr/share/doc/quilvane-ryn/changelog.gz" >"$WORK/changelog"
[ "$(dpkg-parsechangelog -l "$WORK/changelog" -S Version)" = "$version" ] || fail "the changelog has no entry for $version"
out=$(appstreamcli validate-tree --no-net "$WORK/tree" 2>&1) || fail "appstreamcli rejects the package tree: $out"
echo "$(basename "$DEB"): $(wc -l <"$WORK/files.txt") files; Depends: $depends"
