#!/usr/bin/env bash
# Builds the Debian package of the build folder, has lintian check it for
# errors, unpacks it and runs the unpacked veltrix-cli.
#   DebPackageTest.sh BUILD_DIR VERSION
set -euo pipefail
BUILD=$1 VERSION=$2
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$TMP/out" >/dev/null
DEB="$TMP/out/veltrix_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || fail "no $(basename "$DEB")"
depends=$(dpkg-deb -f "$DEB" Depends)
for package in fonts-wqy-zenhei fonts-arphic-uming xdg-utils libcurl4 libqt6widgets6 libsqlite3-0; do
    [[ $depends == *"$package"* ]] || fail "Depends lacks $package: $depends"
done
if ! lintian --fail-on error "$DEB" >"$TMP/lintian.txt" 2>&1; then
    cat "$TMP/lintian.txt" >&2
    fail "lintian"
fi

dpkg-deb -x "$DEB" "$TMP/unpacked"
CLI="$TMP/unpacked/usr/bin/veltrix-cli"
[ "$("$CLI" --version)" = "veltrix-cli $VERSION" ] || fail "veltrix-cli --version"
mkdir "$TMP/work" && cd "$TMP/work"
"$CLI" initdb
"$CLI" import p3 "$TMP/unpacked/usr/share/veltrix/draws/p3.txt" >/dev/null
[ "$("$CLI" query "SELECT count(*) FROM p3" 2>/dev/null | tr -d "\r ")" \
    = "$(grep -c . "$TMP/unpacked/usr/share/veltrix/draws/p3.txt")" ] || fail "query after import"
echo "package ok"
