#!/usr/bin/env bash
# The installed program: `cmake --install` into a temporary prefix gives the expected layout and
# files the desktop's validators accept, and --help and --version write nothing; run from that
# prefix, made read-only, by a user with a fresh home, it makes the user's own data file from the
# installed one and registers the installed executable for autostart, and pagewarden-log writes to
# that user's file. Last, the Debian package holds the same files.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup install
T=$E2E_DIR
chmod 755 "$T"  # the test user reaches into it

P="$T/prefix"
ID=cz.quorbel.Pagewarden
cmake --install "$PW_BUILD_DIR" --prefix "$P" >/dev/null || fail "cmake --install failed"
expected=(bin/pagewarden bin/pagewarden-log share/applications/$ID.desktop
  share/metainfo/$ID.metainfo.xml share/pagewarden/Pagewarden.xml share/man/man1/pagewarden.1.gz
  share/man/man1/pagewarden-log.1.gz share/icons/hicolor/scalable/apps/$ID.svg
  share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$ID.png)
# The expected files and nothing else, here and in the package.
printf '%s\n' "${expected[@]}" | sort >"$T/expected"
(cd "$P" && find . -type f | sed 's|^\./||' | sort) | diff "$T/expected" - || fail "the installed files differ"
desktop-file-validate "$P/share/applications/$ID.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$P/share/metainfo/$ID.metainfo.xml" >&2 || fail "appstreamcli validate"
# --help and --version answer and end without touching the profile or the autostart folder.
"$P/bin/pagewarden" --help >/dev/null || fail "pagewarden --help failed"
version=$("$P/bin/pagewarden" --version 2>&1) || fail "pagewarden --version failed"
[ "$version" = "Pagewarden verze 2.1.2" ] || fail "pagewarden --version: $version"
[ -z "$(find "$HOME" -type f)" ] || fail "--help or --version wrote $(find "$HOME" -type f)"

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

# pagewarden-log finds the user's file the same way, here under $XDG_DATA_HOME.
D="$T/data"
mkdir "$D" && chown "$uid:$gid" "$D"
as_user XDG_DATA_HOME="$D" "$P/bin/pagewarden-log" --help | grep -F "$D/Quorbel/Pagewarden/Pagewarden.xml" ||
  fail "pagewarden-log --help names another data file"
[ -e "$D/Quorbel" ] && fail "pagewarden-log --help made the user's data file"
as_user XDG_DATA_HOME="$D" "$P/bin/pagewarden-log" append --best 0 --normal 3 --economic 0 \
  --user eva --remark skript || fail "pagewarden-log append failed"
grep -q "<remark>skript</remark>" "$D/Quorbel/Pagewarden/Pagewarden.xml" ||
  fail "pagewarden-log did not append to the user's file under XDG_DATA_HOME"

# The package: the same files below /usr, and dependencies computed from the binaries.
cpack -G DEB --config "$PW_BUILD_DIR/CPackConfig.cmake" -B "$T/pkg" >"$T/cpack.log" 2>&1 ||
  fail "cpack: $(tail -n 5 "$T/cpack.log")"
deb=$(ls "$T"/pkg/pagewarden_*.deb) || fail "no package"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort | diff "$T/expected" - ||
  fail "the package's files differ"
depends=$(dpkg-deb -f "$deb" Depends)
(($(grep -oE 'libqt6widgets6|libqt6svg6|libcups2|qt6-qpa-plugins' <<<"$depends" | sort -u | wc -l) == 4)) ||
  fail "the package's dependencies: $depends"
echo "install: ok"
