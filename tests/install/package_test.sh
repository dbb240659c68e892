#!/bin/sh
# Installs the build to a temporary prefix and builds the Debian package, then runs the
# programs from both as a user would, and validates the desktop files, the MIME types,
# the man pages and the editor's first run.
#   package_test.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
editor=
cleanup() {
  if [ -n "$editor" ]; then
    kill -9 "$editor" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "package test: $*"
  exit 1
}

echo "-- install to a temporary prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
prefix=$work/prefix
demo=$prefix/share/i40seted/demo
"$prefix/bin/i40seted" --version | grep -q '^i40seted ' || fail "i40seted --version"
"$prefix/bin/i40set" --version | grep -q '^i40set ' || fail "i40set --version"
"$prefix/bin/i40set" check "$demo/DEMO" || fail "i40set check of the demo Set"
desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
for size in 16 32 48 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/io.github.i40seted.Editor.png" ] ||
    fail "no ${size}px icon"
done
grep -q '^License: MIT$' "$prefix/share/doc/i40seted/copyright" ||
  fail "no copyright file in share/doc/i40seted"

echo "-- the man pages"
for page in i40set i40seted; do
  file=$prefix/share/man/man1/$page.1
  [ -f "$file" ] || fail "no man page $page.1"
  grep -q '@PROJECT_VERSION@' "$file" && fail "$page.1 was not configured"
  warnings=$(MANWIDTH=80 man -l "$file" 2>&1 >/dev/null) || fail "man -l $page.1 failed"
  [ -z "$warnings" ] || fail "man -l $page.1: $warnings"
  warnings=$(groff -man -ww -z "$file" 2>&1) || fail "groff $page.1 failed"
  [ -z "$warnings" ] || fail "groff $page.1: $warnings"
done

echo "-- the MIME types"
# The installed MIME entries as a user's own database: XDG_DATA_HOME holds them, the
# system's base types come from /usr/share.
mimehome=$work/mimehome
mkdir "$mimehome"
cp -r "$prefix/share/mime" "$mimehome/mime"
update-mime-database "$mimehome/mime" 2>"$work/mime.log"
if grep -qi 'error\|warning\|invalid' "$work/mime.log"; then
  cat "$work/mime.log"
  fail "update-mime-database"
fi
command -v mimetype >/dev/null ||
  fail "no mimetype (libfile-mimeinfo-perl): xdg-mime would fall back to file(1)"
command -v gio >/dev/null || fail "no gio (libglib2.0-bin)"
mimedb() {
  env XDG_DATA_HOME="$mimehome" XDG_DATA_DIRS=/usr/share "$@"
}
# The type of FILE by xdg-mime with File::MimeInfo (what a desktop without its own
# backend uses), by xdg-mime with GIO (GNOME and the like), and by gio itself, each
# printed on a line.
types_of() {
  mimedb env XDG_CURRENT_DESKTOP=X-Generic xdg-mime query filetype "$1"
  mimedb env XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$1"
  mimedb gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'
}
expect_type() {
  types_of "$1" >"$work/types"
  [ "$(grep -c . "$work/types")" -eq 3 ] || fail "$1 not typed by all three: $(cat "$work/types")"
  if grep -vxF "$2" "$work/types" >/dev/null; then
    fail "$(basename "$1") is not $2 but (xdg-mime with File::MimeInfo, with GIO, gio)" \
      "$(tr '\n' ' ' <"$work/types")"
  fi
}
for pair in ARR:arrangements STY:styles PRG:programs BSQ:backing-sequences KBS:kbd-sets \
  ARG:arrangement-global GBL:global; do
  expect_type "$demo/DEMO.${pair%%:*}" "application/x-i40-${pair#*:}"
done
# Extensions match in either case.
mkdir "$work/files"
cp "$demo/DEMO.STY" "$work/files/demo.sty"
expect_type "$work/files/demo.sty" application/x-i40-styles
# A TeX style file is not a Korg Style: without the header, .sty stays TeX's.
printf '%s\n' '\NeedsTeXFormat{LaTeX2e}' '\ProvidesPackage{notkorg}' >"$work/files/notkorg.sty"
types_of "$work/files/notkorg.sty" >"$work/types"
if grep -q '^application/x-i40-' "$work/types"; then
  fail "a TeX style file typed as $(tr '\n' ' ' <"$work/types")"
fi
# The one-item files: "KORGM", then the item's record (and data) as in the Set's file.
bytes() { # FILE OFFSET COUNT
  dd if="$1" bs=1 skip="$2" count="$3" 2>/dev/null
}
{ printf KORGM && bytes "$demo/DEMO.ARR" 32 164; } >"$work/files/FIRST.IAF"
{ printf KORGM && bytes "$demo/DEMO.PRG" 48 172; } >"$work/files/FIRST.IPF"
{
  printf KORGM && bytes "$demo/DEMO.PRG" 22064 172 && bytes "$demo/DEMO.PRG" 23440 880
} >"$work/files/FIRST.IDK"
# The first Style slot: its table entry at 22 is index, present, length (little-endian).
od -An -tu1 -j22 -N4 "$demo/DEMO.STY" >"$work/entry"
read -r _ present low high <"$work/entry"
[ "$present" = 1 ] || fail "the demo's first Style slot is empty"
{ printf KORGM && bytes "$demo/DEMO.STY" 224 $((low + 256 * high)); } >"$work/files/FIRST.ISF"
for pair in IAF:arrangement ISF:style IPF:program IDK:drumkit; do
  expect_type "$work/files/FIRST.${pair%%:*}" "application/x-i40-istyle-${pair#*:}"
done

echo "-- the first run"
# A new user: no settings, no documents. The editor makes "i40 Sets" in the documents
# folder, copies the demo Set there, opens it and remembers it as the latest Set.
mkdir "$work/home" "$work/tmp"
home=$(cd "$work/home" && pwd -P)
sets="$home/Documents/i40 Sets"
conf=$home/.config/i40seted/i40seted.conf
start_editor() {
  runtime=$(mktemp -d "$work/runtime.XXXXXX")
  (
    unset I40SETED_INSTANCE XDG_CONFIG_HOME XDG_DATA_HOME XDG_CURRENT_DESKTOP
    HOME=$home XDG_RUNTIME_DIR=$runtime TMPDIR=$work/tmp QT_QPA_PLATFORM=offscreen
    export HOME XDG_RUNTIME_DIR TMPDIR QT_QPA_PLATFORM
    exec "$prefix/bin/i40seted"
  ) >>"$work/editor.log" 2>&1 &
  editor=$!
}
stop_editor() {
  kill "$editor" 2>/dev/null || true
  n=0
  while kill -0 "$editor" 2>/dev/null && [ $n -lt 5 ]; do
    sleep 1
    n=$((n + 1))
  done
  kill -9 "$editor" 2>/dev/null || true
  wait "$editor" 2>/dev/null || true
  editor=
}
remembers_copy() {
  [ -f "$conf" ] && want="$sets/DEMO" awk '
    /^\[/ { section = $0; next }
    section == "[Options]" && index($0, "RecentSet1=") == 1 {
      value = substr($0, 12)
      if (value == ENVIRON["want"] || value == "\"" ENVIRON["want"] "\"") found = 1
    }
    END { exit !found }' "$conf"
}
start_editor
n=0
until [ -f "$sets/DEMO.ARR" ] && remembers_copy; do
  if ! kill -0 "$editor" 2>/dev/null; then
    cat "$work/editor.log"
    fail "the editor ended during its first run"
  fi
  n=$((n + 1))
  if [ $n -gt 30 ]; then
    ls -la "$home" "$home/Documents" 2>&1 || true
    cat "$conf" 2>&1 || true
    fail "after 30 s the first run had not copied the demo Set and remembered the copy"
  fi
  sleep 1
done
stop_editor
(cd "$demo" && ls) >"$work/shipped"
(cd "$sets" && ls) >"$work/copied"
cmp -s "$work/shipped" "$work/copied" ||
  fail "the copy holds other files than the demo: $(tr '\n' ' ' <"$work/copied")"
for ext in ARR STY PRG BSQ KBS ARG GBL; do
  cmp "$demo/DEMO.$ext" "$sets/DEMO.$ext" || fail "the copy of DEMO.$ext differs"
done

# A second start is no first run: nothing more is copied, nothing is made again. The
# editor is up once its socket (in TMPDIR, where Qt puts it) is there again; the first
# run's is left over from the kill.
find "$home/Documents" | sort >"$work/documents"
rm -f "$work"/tmp/*
touch "$work/after-first-run"
start_editor
n=0
until [ -n "$(find "$work/tmp" -type s)" ]; do
  n=$((n + 1))
  [ $n -le 30 ] || fail "after 30 s the second start was not listening"
  sleep 1
done
sleep 3
kill -0 "$editor" 2>/dev/null || fail "the editor ended on its second start"
stop_editor
find "$home/Documents" | sort >"$work/documents2"
if ! cmp -s "$work/documents" "$work/documents2"; then
  diff "$work/documents" "$work/documents2" || true
  fail "the second start changed the documents folder"
fi
changed=$(find "$home/Documents" -newer "$work/after-first-run")
[ -z "$changed" ] || fail "the second start wrote $changed"

echo "-- the Debian package"
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null) || fail "cpack"
deb=$(ls "$work"/package/*.deb)
# A summary, then lines that each begin with a space.
dpkg-deb -f "$deb" Description >"$work/description"
[ "$(wc -l <"$work/description")" -ge 4 ] || fail "the package description is one line"
sed 1d "$work/description" | grep -v '^ ' && fail "a description line does not start with a space"
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
for file in share/doc/i40seted/copyright share/man/man1/i40set.1 share/man/man1/i40seted.1; do
  [ -f "$work/root/usr/$file" ] || fail "the package has no $file"
done
echo "package test passed"
