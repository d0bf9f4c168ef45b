#!/usr/bin/env bash
# The installed program: `cmake --install` into a temporary prefix gives the expected layout and
# files the desktop's validators accept; run from that prefix, made read-only, by a user with a
# fresh home, it makes the user's own data file from the installed one and registers the installed
# executable for autostart, and pagewarden-log writes to that user's file. Last, the Debian
# package holds the same files.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup install
T=$E2E_DIR
chmod 755 "$T"  # the test user reaches into it

P="$T/prefix"
ID=cz.quorbel.Pagewarden
cmake --install "$PW_BUILD_DIR" --prefix "$P" >/dev/null || fail "cmake --install failed"
expected=(bin/pagewarden bin/pagewarden-log share/applications/$ID.desktop
  share/metainfo/$ID.metainfo.xml share/pagewarden/Pagewarden.xml
  share/man/man1/pagewarden.1.gz share/man/man1/pagewarden-log.1.gz share/icons/hicolor/scalable/apps/$ID.svg)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x$size/apps/$ID.png")
done
(cd "$P" && find . -type f | sed 's|^\./||' | sort) >"$T/installed"
check_listing() {  # check_listing FILE: the expected files and nothing else
  printf '%s\n' "${expected[@]}" | sort | diff - "$1" || fail "$2"
}
check_listing "$T/installed" "the installed files differ"
for size in 16 256; do
  [ "$(identify -format %wx%h "$P/share/icons/hicolor/${size}x$size/apps/$ID.png")" = "${size}x$size" ] ||
    fail "the ${size} px icon has the wrong size"
done
desktop-file-validate "$P/share/applications/$ID.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$P/share/metainfo/$ID.metainfo.xml" >"$T/appstream.log" ||
  fail "appstreamcli validate: $(cat "$T/appstream.log")"
# Each program's manual page names every option its --help lists.
for tool in pagewarden pagewarden-log; do
  page="$P/share/man/man1/$tool.1.gz"
  LANG=C.UTF-8 man -l "$page" 2>&1 >/dev/null | grep . && fail "$tool: man page warnings"
  text=$(LANG=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
  for option in $("$P/bin/$tool" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$text" || fail "$tool: the man page misses $option"
  done
done

# A user who may not write to the prefix, with nothing in the home yet.
chmod -R a-w "$P"
uid=$(id -u nobody) gid=$(id -g nobody)
H="$T/home"
e2e_profile FirstTime=0
chown -R "$uid:$gid" "$H" "$T/run"
as_user() {
  setpriv --reuid="$uid" --regid="$gid" --clear-groups env -i PATH=/usr/bin:/bin HOME="$H" \
    DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$T/run" LANG=C.UTF-8 "$@"
}

OWN="$H/.local/share/Quorbel/Pagewarden/Pagewarden.xml"
as_user "$P/bin/pagewarden" >"$T/stdout.log" 2>"$T/stderr.log" &
E2E_PID=$!
poll 10 test -f "$OWN" || fail "the user's data file was not made"
cmp -s "$OWN" "$P/share/pagewarden/Pagewarden.xml" || fail "the user's file is not the installed one"
[ "$(stat -c %u "$OWN")" = "$uid" ] || fail "the user's data file belongs to someone else"
AUTOSTART="$H/.config/autostart/Pagewarden.desktop"
poll 10 test -f "$AUTOSTART" || fail "no autostart entry"
grep -qx "Exec=$P/bin/pagewarden" "$AUTOSTART" || fail "autostart: $(grep Exec= "$AUTOSTART")"
kill "$E2E_PID"
e2e_wait_exit 5

# pagewarden-log finds the user's file the same way, here under $XDG_DATA_HOME.
D="$T/data"
mkdir "$D" && chown "$uid:$gid" "$D"
help=$(as_user XDG_DATA_HOME="$D" "$P/bin/pagewarden-log" --help)
grep -qF "$D/Quorbel/Pagewarden/Pagewarden.xml" <<<"$help" ||
  fail "pagewarden-log --help names another data file: $help"
[ -e "$D/Quorbel" ] && fail "pagewarden-log --help made the user's data file"
as_user XDG_DATA_HOME="$D" "$P/bin/pagewarden-log" append --best 0 --normal 3 --economic 0 \
  --user eva --remark skript || fail "pagewarden-log append failed"
grep -q "<remark>skript</remark>" "$D/Quorbel/Pagewarden/Pagewarden.xml" ||
  fail "pagewarden-log did not append to the user's file under XDG_DATA_HOME"

# The package: the same files below /usr, and dependencies computed from the binaries.
cpack -G DEB --config "$PW_BUILD_DIR/CPackConfig.cmake" -B "$T/pkg" >"$T/cpack.log" 2>&1 ||
  fail "cpack: $(tail -n 5 "$T/cpack.log")"
deb=$(ls "$T"/pkg/pagewarden_*.deb) || fail "no package"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort >"$T/packaged"
check_listing "$T/packaged" "the package's files differ"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6svg6 libcups2 qt6-qpa-plugins; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done
echo "install: ok"
