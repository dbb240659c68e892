#!/bin/sh
# Installs the build to a temporary prefix and builds the Debian package, then runs the
# programs from both as a user would, and validates the desktop files.
#   package_test.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "package test: $*"
  exit 1
}

echo "-- install to a temporary prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
prefix=$work/prefix
"$prefix/bin/i40seted" --version | grep -q '^i40seted ' || fail "i40seted --version"
"$prefix/bin/i40set" --version | grep -q '^i40set ' || fail "i40set --version"
"$prefix/bin/i40set" check "$prefix/share/i40seted/demo/DEMO" || fail "i40set check of the demo Set"
desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
# The MIME entries must build a database, and the components be told apart by header.
cp -r "$prefix/share/mime" "$work/mime"
update-mime-database "$work/mime" 2>"$work/mime.log"
if grep -qi 'error\|warning\|invalid' "$work/mime.log"; then
  cat "$work/mime.log"
  fail "update-mime-database"
fi
grep -q 'application/x-i40-styles' "$work/mime/types" || fail "no Style MIME type"
for size in 16 32 48 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/io.github.i40seted.Editor.png" ] ||
    fail "no ${size}px icon"
done
[ -f "$prefix/share/man/man1/i40set.1" ] || fail "no man page"

echo "-- the Debian package"
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null) || fail "cpack"
deb=$(ls "$work"/package/*.deb)
# Every dependency is a package of this Debian release.
# Every dependency is a package of this Debian release (or a name one of them provides).
dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g' | grep -v '^$' >"$work/depends"
[ -s "$work/depends" ] || fail "no dependencies found"
while read -r package; do
  apt-cache showpkg "$package" 2>/dev/null | grep -q '^Package: ' || fail "unknown dependency $package"
  [ "$(apt-cache showpkg "$package" | sed -n '/^Reverse Provides/,$p' | wc -l)" -gt 1 ] ||
    apt-cache show --no-all-versions "$package" >/dev/null 2>&1 ||
    fail "no package provides $package"
done <"$work/depends"
dpkg-deb -x "$deb" "$work/root"
"$work/root/usr/bin/i40seted" --version | grep -q '^i40seted ' || fail "packaged i40seted"
"$work/root/usr/bin/i40set" check "$work/root/usr/share/i40seted/demo/DEMO" ||
  fail "packaged i40set check"
echo "package test passed"
