# Shared by the desktop tests: an Xvfb server with openbox, a copy of the
# console in a scratch directory beside its settings file, and the helpers
# that start, watch and end it. Sourced with the console's path as $1.

exe=${1:?usage: $0 PATH-TO-LUMETRA}
work=$(mktemp -d /tmp/lumetra-desktop.XXXXXX)
pids=()
failures=0

cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
die() { echo "FAIL: $*"; exit 1; }

# Polls a command until it succeeds or the seconds run out.
until_true() {
    local seconds=$1; shift
    local end=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}

for tool in Xvfb openbox wmctrl xprop xwininfo; do
    command -v $tool >/dev/null || die "$tool is not installed (scripts/install-deps installs it)"
done

# The server picks a display number nobody uses and writes it down. It must
# not reset when its last client leaves: the window manager would find it
# starting over.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
pids+=($xvfb)
until_true 20 grep -q '[0-9]' "$work/display" || die "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(tr -dc '0-9' <"$work/display")
until_true 20 xprop -root || die "Xvfb does not answer on $DISPLAY: $(cat "$work/xvfb.log")"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
until_true 20 wmctrl -m || die "openbox did not start: $(cat "$work/openbox.log")"

cp "$exe" "$work/lumetra"
ini=$work/lumetra.ini
export QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0

settings() {  # TOP LEFT WIDTH HEIGHT STATE
    printf '[LumetraSet]\nPort=0\nSpeed=9\n[Point]\nTop=%s\nLeft=%s\nWidth=%s\nHeight=%s\nWindowState=%s\n' "$@" >"$ini"
}
point() { sed -n '/^\[Point\]/,/^\[/p' "$ini" | grep -E '^(Top|Left|Width|Height|WindowState)=' | tr '\n' ' '; }

window_of() { wmctrl -lp | awk -v p="$1" '$3 == p { print $1; exit }'; }
has_window() { [ -n "$(window_of "$1")" ]; }
maximized() { xprop -id "$1" _NET_WM_STATE | grep -q MAXIMIZED_HORZ; }
not_maximized() { ! maximized "$1"; }
gone() { ! kill -0 "$1" 2>/dev/null; }

start() {  # [COMMAND...] that runs the console, as nohup would
    (cd "$work" && exec "$@" ./lumetra) >>"$work/lumetra.log" 2>&1 &
    console=$!
    until_true 30 has_window $console || die "the console showed no window: $(tail -5 "$work/lumetra.log")"
    win=$(window_of $console)
}

# Ends the console's run and checks its exit status.
finish() {
    until_true 30 gone $console || { kill -9 $console; fail "$1: the console did not end"; return; }
    wait $console
    local status=$?
    [ $status -eq 0 ] || fail "$1: exit status $status"
}

close_box() { wmctrl -i -c "$win"; finish "close box"; }
