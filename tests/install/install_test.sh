#!/usr/bin/env bash
# The program as installed: `cmake --install` into a scratch root, both
# programs run from there, read-only, by a user whose home and XDG folders are
# scratch folders; then the Debian package, its file list and the files the
# desktop reads.
#   install_test.sh SOURCE_DIR BUILD_DIR VERSION APP_ID
# Runs on a virtual display of its own (xvfb-run), where xdotool drives the
# windows. Ends with status 77 (skipped) when a tool is missing, outside CI.
set -euo pipefail

SOURCE="$(cd "$1" && pwd)"
BUILD="$(cd "$2" && pwd)"
VERSION="$3"
APP_ID="$4"

missing=()
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli xvfb-run xdotool; do
    command -v "$tool" > /dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "missing: ${missing[*]} (scripts/test.sh installs them)"
    [ -n "${CI:-}" ] && exit 1
    exit 77
fi
if [ -z "${QUILL_INSTALL_DISPLAY:-}" ]; then
    export QUILL_INSTALL_DISPLAY=1
    # -ac: the user the programs run as may use the display without its key;
    # -noreset: the display stays while xdotool's many short calls come and go.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -ac -noreset" bash "$0" "$@"
fi

WORK="$(mktemp -d /tmp/quillmark-install.XXXXXX)"
PROGRAM_PID=""
cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2> /dev/null
    chmod -R u+w "$WORK"
    rm -rf "$WORK"
}
trap cleanup EXIT
chmod 755 "$WORK"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

echo "-- cmake --install into a scratch root"
ROOT="$WORK/root"
DESTDIR="$ROOT" cmake --install "$BUILD" --prefix /usr > /dev/null
SIZES=(16 22 24 32 48 64 128 256)
EXPECTED=(usr/bin/quillmark usr/bin/quillmark-cli usr/share/quillmark/Quillmark.HLP
    usr/share/quillmark/MASTER.DAT "usr/share/applications/$APP_ID.desktop"
    "usr/share/metainfo/$APP_ID.metainfo.xml" usr/share/icons/hicolor/scalable/apps/quillmark.svg
    usr/share/man/man1/quillmark-cli.1.gz)
for size in "${SIZES[@]}"; do
    EXPECTED+=("usr/share/icons/hicolor/${size}x${size}/apps/quillmark.png")
done
for file in "${EXPECTED[@]}"; do
    [ -f "$ROOT/$file" ] || fail "$file is not installed"
done
for size in "${SIZES[@]}"; do
    # A PNG's width and height: two 4-byte numbers from byte 16 on.
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 \
        "$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/quillmark.png")
    [ "$width $height" = "$size $size" ] || fail "the ${size} px icon is ${width}x${height}"
done
cmp -s "$ROOT/usr/share/quillmark/MASTER.DAT" "$SOURCE/data/MASTER.DAT" || fail "the sample list is not the project's"

echo "-- the desktop entry, the metadata and the manual page"
desktop-file-validate "$ROOT/usr/share/applications/$APP_ID.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/$APP_ID.metainfo.xml" || fail "appstreamcli validate"
EXEC="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$ROOT/usr/share/applications/$APP_ID.desktop")"
[ -x "$ROOT/usr/bin/$EXEC" ] || fail "the desktop entry starts $EXEC, which is not installed"
grep -q '^Categories=Game;RolePlaying;$' "$ROOT/usr/share/applications/$APP_ID.desktop" ||
    fail "the desktop entry's categories"
# Every command and option quillmark-cli explains is in its manual page.
MANUAL="$(zcat "$ROOT/usr/share/man/man1/quillmark-cli.1.gz" | sed 's/\\-/-/g')"
CLI="$ROOT/usr/bin/quillmark-cli"
commands="$("$CLI" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z]*\) .*/\1/p')"
[ -n "$commands" ] || fail "quillmark-cli --help lists no commands"
for command in $commands; do
    grep -q "^\.BI* \"*$command[ \"]" <<< "$MANUAL" || fail "the manual page does not describe $command"
    for option in $("$CLI" "$command" --help | sed -n 's/^  \(-[-a-z]*\).*/\1/p'); do
        grep -qe "$option" <<< "$MANUAL" || fail "the manual page does not name $command's $option"
    done
done
grep -q "Quillmark $VERSION" <<< "$MANUAL" || fail "the manual page's version"

echo "-- run read-only by a user with scratch folders"
chmod -R a-w "$ROOT"
HOME_DIR="$WORK/home"
CONFIG="$HOME_DIR/settings"
DATA="$HOME_DIR/data"
mkdir -p "$HOME_DIR/Documents"
AS_USER=()
if [ "$(id -u)" -eq 0 ]; then
    # Root may write whatever the permission bits say: run as nobody.
    chown -R 65534:65534 "$HOME_DIR"
    AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
AS_USER=(env HOME="$HOME_DIR" XDG_CONFIG_HOME="$CONFIG" XDG_DATA_HOME="$DATA" XDG_RUNTIME_DIR= "${AS_USER[@]}")
as_user() {
    "${AS_USER[@]}" "$@"
}
[ "$(as_user "$CLI" --version)" = "quillmark-cli $VERSION" ] || fail "quillmark-cli --version"
[ "$(as_user "$ROOT/usr/bin/quillmark" --version)" = "quillmark $VERSION" ] || fail "quillmark --version"
HELP="$(as_user "$ROOT/usr/bin/quillmark" --help)"
for line in "settings      $CONFIG/Quillmark/Quillmark.INI" "specialties   $CONFIG/Quillmark/Specialty.dat" \
    "master list   $DATA/Quillmark/MASTER.DAT" "help          $ROOT/usr/share/quillmark/Quillmark.HLP" \
    "spellbooks    $HOME_DIR/Documents/ "; do
    grep -qF "$line" <<< "$HELP" || fail "quillmark --help does not say \"$line\":
$HELP"
done
[ ! -e "$CONFIG" ] && [ ! -e "$DATA" ] || fail "asking for help wrote files"

echo "-- the windows, twice"
QUILLMARK="$ROOT/usr/bin/quillmark"
# The frame on screen: the program's window named "Quillmark" that fills the
# screen's width (the working notice at start has the same name).
FRAME=""
frame_shown() {
    local id WIDTH=0
    for id in $(xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name '^Quillmark$' 2> /dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2> /dev/null)"
        [ "$WIDTH" -ge 1000 ] && FRAME="$id" && return 0
    done
    return 1
}
# Waits up to 30 s until the command succeeds.
wait_for() {
    local _
    for _ in $(seq 300); do
        "$@" && return 0
        kill -0 "$PROGRAM_PID" 2> /dev/null || { cat "$WORK/program.log"; fail "the program ended"; }
        sleep 0.1
    done
    cat "$WORK/program.log"
    fail "waited in vain for: $*"
}
window_shown() {
    xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "^$1\$" > /dev/null 2>&1
}
window_gone() {
    ! window_shown "$1"
}
# Keys for the window of that name, once it is on screen and has the
# keyboard: no window manager hands it over, and keys sent sooner would go
# to the window before it.
keys_to() {
    local name="$1" id
    shift
    wait_for window_shown "$name"
    id="$(xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "^$name\$" | head -n 1)"
    [ "$name" = Quillmark ] && id="$FRAME"
    xdotool windowfocus --sync "$id"
    xdotool "$@"
}
start_windows() {
    "${AS_USER[@]}" "$QUILLMARK" > "$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    wait_for frame_shown
}
end_windows() {
    keys_to Quillmark key alt+f x
    local _
    for _ in $(seq 300); do
        kill -0 "$PROGRAM_PID" 2> /dev/null || break
        sleep 0.1
    done
    ! kill -0 "$PROGRAM_PID" 2> /dev/null || fail "Exit did not end the program"
    wait "$PROGRAM_PID" || fail "the program ended with status $?"
    PROGRAM_PID=""
}

start_windows
cmp -s "$DATA/Quillmark/MASTER.DAT" "$ROOT/usr/share/quillmark/MASTER.DAT" ||
    fail "the first start did not copy the sample list into the user's data folder"
end_windows
[ ! -e "$CONFIG" ] || fail "the program wrote settings before any was changed"

# The second start copies nothing over the user's own list.
echo '1,"Only Mine","Tome",1,"C","abj","N"' > "$DATA/Quillmark/MASTER.DAT"
start_windows
grep -q "Only Mine" "$DATA/Quillmark/MASTER.DAT" || fail "the second start wrote over the user's master list"
# A setting: the master file, chosen in Options > Set Master File...
head -n 5 "$ROOT/usr/share/quillmark/MASTER.DAT" > "$HOME_DIR/Documents/Five.DAT"
chmod a+r "$HOME_DIR/Documents/Five.DAT"
keys_to Quillmark key alt+o f
keys_to "Set Master File" key ctrl+a
keys_to "Set Master File" type --delay 20 "$HOME_DIR/Documents/Five.DAT"
keys_to "Set Master File" key Return
wait_for grep -q "^MasterFile=$HOME_DIR/Documents/Five.DAT" "$CONFIG/Quillmark/Quillmark.INI"
wait_for window_gone "Set Master File"
# The specialties: Options > Set Specialties... (the menu's last item), then
# File > Save Changes.
keys_to Quillmark key alt+o Up Return
keys_to "Specialty Maintenance" key alt+f s
wait_for test -s "$CONFIG/Quillmark/Specialty.dat"
keys_to "Specialty Maintenance" key alt+f x
wait_for window_gone "Specialty Maintenance"
end_windows
grep -qF "master list   $HOME_DIR/Documents/Five.DAT" <<< "$(as_user "$QUILLMARK" --help)" ||
    fail "the master file chosen is not read back from the user's settings"

echo "-- the Debian package"
chmod -R u+w "$ROOT"
(cd "$WORK" && cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/package" > "$WORK/cpack.log" 2>&1) || {
    cat "$WORK/cpack.log"
    fail "cpack"
}
DEB="$(ls "$WORK"/package/quillmark_"$VERSION"*.deb)"
[ "$(dpkg-deb -f "$DEB" Package)" = quillmark ] || fail "the package's name"
[ "$(dpkg-deb -f "$DEB" Version)" = "$VERSION" ] || fail "the package's version"
dpkg-deb -f "$DEB" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on Qt's widgets"
LISTED="$(dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./||')"
for file in "${EXPECTED[@]}"; do
    grep -qx "$file" <<< "$LISTED" || fail "the package does not hold $file"
done
dpkg-deb -x "$DEB" "$WORK/unpacked"
[ "$("$WORK/unpacked/usr/bin/quillmark-cli" --version)" = "quillmark-cli $VERSION" ] ||
    fail "quillmark-cli --version from the package"
echo "$(basename "$DEB"): $(du -k "$DEB" | cut -f1) kB, depends on $(dpkg-deb -f "$DEB" Depends)"
