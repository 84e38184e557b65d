#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the tree: the
# programs, the shipped data found from the installed programs, the desktop
# entry and the AppStream file (both validated), icons and manual pages, and
# --help/--version of every program.
#   InstallTreeTest.sh BUILD_DIR VERSION
set -euo pipefail
BUILD=$1 VERSION=$2
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$TMP/root" cmake --install "$BUILD" --prefix /usr >/dev/null
ROOT="$TMP/root/usr"
for file in \
    share/veltrix/Veltrix.ini share/veltrix/draws/dlt.txt share/veltrix/prize-rules.json \
    share/applications/org.veltrix.Veltrix.desktop \
    share/metainfo/org.veltrix.Veltrix.metainfo.xml \
    share/icons/hicolor/scalable/apps/veltrix.svg \
    share/icons/hicolor/48x48/apps/veltrix.png share/icons/hicolor/256x256/apps/veltrix.png \
    share/man/man1/veltrix-cli.1.gz share/doc/veltrix/copyright; do
    [ -s "$ROOT/$file" ] || fail "missing $file"
done
[ -d "$ROOT/share/veltrix/desktop" ] && fail "desktop sources installed as data"
grep -q "Exec=veltrix --workspace$" "$ROOT/share/applications/org.veltrix.Veltrix.desktop" ||
    fail "the desktop entry does not start veltrix --workspace"
grep -q "version=\"$VERSION\"" "$ROOT/share/metainfo/org.veltrix.Veltrix.metainfo.xml" ||
    fail "metainfo release is not $VERSION"
desktop-file-validate "$ROOT/share/applications/org.veltrix.Veltrix.desktop"
appstreamcli validate --no-net "$ROOT/share/metainfo/org.veltrix.Veltrix.metainfo.xml" >/dev/null
for page in veltrix veltrix-cli veltrix-chart veltrix-prize; do
    zcat "$ROOT/share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1 .*$VERSION" ||
        fail "manual page header of $page"
done

programs=(veltrix veltrix-cli veltrix-chart)
[ -e "$BUILD/src/app/veltrix-prize" ] && programs+=(veltrix-prize)
for program in "${programs[@]}"; do
    [ -x "$ROOT/bin/$program" ] || fail "missing bin/$program"
    [ "$(env -u DISPLAY "$ROOT/bin/$program" --version)" = "$program $VERSION" ] ||
        fail "$program --version"
    env -u DISPLAY "$ROOT/bin/$program" --help | grep -q "usage" || fail "$program --help"
done

# The installed program finds the installed samples, not the source tree's.
(cd "$TMP" && env -u VELTRIX_DATA_DIR "$ROOT/bin/veltrix-cli" workspace ws 2>/dev/null)
[ "$(cd "$TMP/ws" && "$ROOT/bin/veltrix-cli" query "SELECT count(*) FROM dlt" 2>/dev/null | tr -d "\r ")" \
    = "$(grep -c . "$ROOT/share/veltrix/draws/dlt.txt")" ] || fail "workspace samples"
echo "install tree ok"
