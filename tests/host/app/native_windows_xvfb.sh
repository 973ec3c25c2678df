#!/usr/bin/env bash
# kvx4-host on a real X server under a window manager (Xvfb and openbox): the host window and a
# dialog are separate native windows, each with the window manager's title bar only (the native
# window holds the client area alone), the title arrives as UTF-8, the dialog is transient for the
# host window, the scale follows the screen's density (192 dpi: 2) and is lowered to fit, and a
# click at the enlarged position lands on the control drawn there, and the session survives a restart.
# With $KVX4_XVFB_SHOTS naming a folder, screenshots of the X screen go there (ImageMagick's import).
# Usage: native_windows_xvfb.sh KVX4-HOST KVX4.DLL. Exit 77 (skipped) when a tool is missing.
set -euo pipefail
host="$1"
library="$2"

for tool in Xvfb openbox xdotool xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
shots="${KVX4_XVFB_SHOTS:-}"
screenshot() {
  [ -n "$shots" ] || return 0
  mkdir -p "$shots"
  import -window root "$shots/$1"
}
fail() {
  echo "FAILED: $*"
  [ -f "$work/host.log" ] && sed 's/^/  host: /' "$work/host.log"
  exit 1
}

# Xvfb picks a free display number and writes it to the descriptor.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1200x24 -dpi 192 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.05; done

# The script reports the status line while this test clicks the Clip button, then opens the
# automation dialog from the L slider's menu and waits: the test closes the dialog and the program
# through the window manager once it has looked at them.
{
  echo "wait 300"
  for _ in $(seq 30); do printf 'print 102\nwait 100\n'; done
  printf 'rclick 228 130\nwait 300\nkey Up\nkey Enter\nwait 600000\n'
} >"$work/native.kvx4script"

export HOME="$work" KVX4_REGISTRY_DIR="$work/registry" KVX4_WINDOWS_DIR="$work/windows"
# Under AddressSanitizer: the X libraries keep memory for the life of the process, which the leak
# checker would report at exit; the headless tests check the program's own leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
"$host" --library "$library" --script "$work/native.kvx4script" >"$work/host.log" 2>&1 &
hostpid=$!
pids+=($hostpid)

# The program's visible window whose UTF-8 title starts with $1, if there is one now.
find_window_now() {
  for w in $(xdotool search --onlyvisible --class kvx4-host 2>/dev/null || true); do
    LC_ALL=C.UTF-8 xprop -id "$w" -notype _NET_WM_NAME 2>/dev/null | grep -q "^_NET_WM_NAME = \"$1" && echo "$w" && return
  done
}

# The same, waiting up to fifteen seconds for it.
find_window() {
  for _ in $(seq 300); do
    find_window_now "$1" | grep . && return
    sleep 0.05
  done
}

title="KVX4 Host — DU Dazaro Veruvur (KVX4)"
window="$(find_window "KVX4 Host")"
[ -n "$window" ] || fail "no native host window appeared"
sleep 0.3

# What window managers show: the UTF-8 title.
shown="$(LC_ALL=C.UTF-8 xprop -id "$window" -notype _NET_WM_NAME)"
[ "$shown" = "_NET_WM_NAME = \"$title\"" ] || fail "the title for the window manager reads: $shown"
# One title bar: the window manager framed the window, and the native window is the host's client
# area alone (890 x 457 at scale 2), without the platform's caption and frame.
xprop -id "$window" _NET_FRAME_EXTENTS | grep -Eq '= [0-9]+, [0-9]+, [1-9][0-9]*,' ||
  fail "the window manager gave the host window no title bar: $(xprop -id "$window" _NET_FRAME_EXTENTS)"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 1780 ] && [ "$HEIGHT" = 914 ] || fail "the host window is $WIDTH x $HEIGHT, not 1780 x 914"

# The Clip button's middle is at 142,436 of the host's client area; enlarged twice.
xdotool mousemove --window "$window" 284 872 click 1
for _ in $(seq 200); do grep -q "^Clip bit set by the host.$" "$work/host.log" && break; sleep 0.05; done
grep -q "^Clip bit set by the host.$" "$work/host.log" || fail "the click at the scaled position missed the Clip button"
screenshot native-host.png

dialog="$(find_window "MIDI Automation Configuration")"
[ -n "$dialog" ] || fail "no native dialog window appeared"
sleep 0.3
screenshot native-dialog.png
[ "$dialog" != "$window" ] || fail "the dialog is not a window of its own"
transient="$(xprop -id "$dialog" WM_TRANSIENT_FOR)"
[ "$(printf '%d' "${transient##* }")" = "$window" ] || fail "the dialog is not transient for the host window: $transient"
xprop -id "$dialog" _NET_FRAME_EXTENTS | grep -Eq '= [0-9]+, [0-9]+, [1-9][0-9]*,' ||
  fail "the window manager gave the dialog no title bar"
managed="$(xdotool search --onlyvisible --pid "$hostpid" 2>/dev/null | sort -u | wc -l)"
[ "$managed" = 2 ] || fail "$managed visible windows, not 2 (host and dialog)"

# The window manager's close (Alt+F4 in openbox) cancels the dialog, then ends the program.
xdotool windowactivate --sync "$dialog" key alt+F4
for _ in $(seq 100); do [ -z "$(find_window_now "MIDI Automation")" ] && break; sleep 0.05; done
[ -z "$(find_window_now "MIDI Automation")" ] || fail "the window manager's close left the dialog open"
xdotool windowactivate --sync "$window" key alt+F4
for _ in $(seq 200); do kill -0 "$hostpid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$hostpid" 2>/dev/null && fail "the window manager's close did not end the program"
status=0
wait "$hostpid" || status=$?
[ "$status" = 0 ] || fail "kvx4-host ended with status $status"
grep -q "window open at scale 2;" "$work/host.log" || fail "the scale did not follow the screen's 192 dpi"

# The session survives a restart: the clip bit that the click set comes back from the session file.
grep -q "session saved to $HOME/.local/state/kvx4/session.kvx4session" "$work/host.log" || fail "no session was saved at exit"
printf 'wait 200\nexpect statusFlags 0x10\nquit\n' >"$work/restart.kvx4script"
"$host" --library "$library" --script "$work/restart.kvx4script" >"$work/host.log" 2>&1 ||
  fail "the restarted host did not find the session's clip bit"
grep -q "session restored from" "$work/host.log" || fail "the restarted host restored no session"

# Three times the host window does not fit 1920 x 1200: the program says so and takes two.
echo quit >"$work/quit.kvx4script"
"$host" --library "$library" --scale 3 --script "$work/quit.kvx4script" >"$work/host.log" 2>&1 || fail "kvx4-host --scale 3 failed"
grep -q "scale 3 would make the window larger than the screen's usable area (1920 x 1200): using scale 2" "$work/host.log" ||
  fail "--scale 3 was not lowered to fit"
echo "native windows under openbox: host $window, dialog $dialog${shots:+; screenshots in $shots}"
