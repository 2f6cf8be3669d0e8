#!/usr/bin/env bash
# The program in a real X11 window: click its buttons and drag a piece by their places on the
# screen, check the picture, then end it by "終了" and by the close button during automatic play.
# usage: realwindow.sh KANSU X11CLOSE
set -uo pipefail
kansu="$1"
x11close="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"

fail() { echo "FAIL: $*"; exit 1; }

# The board's picture starts 2 pixels inside the panel at window (16, 64).
bx() { echo $(( $1 + 18 )); }
by() { echo $(( $1 + 66 )); }

start() {
    "$kansu" >"$work/out.txt" 2>&1 &
    pid=$!
    win=""
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
        win=$(timeout 2 xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
        [ -n "$win" ] && break
        sleep 0.1
    done
    [ -n "$win" ] || fail "no window"
    sleep 0.5
}

click() { timeout 5 xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.15; }

pixel() { # pixel X Y of the window, as r,g,b
    timeout 20 import -window "$win" "$work/shot.png"
    convert "$work/shot.png" -format '%[fx:int(255*p{'"$1"','"$2"'}.r)],%[fx:int(255*p{'"$1"','"$2"'}.g)],%[fx:int(255*p{'"$1"','"$2"'}.b)]' info:
}

ended_within() { # ended_within SECONDS: the program ended by then with status 0
    local deadline=$(( $(date +%s%N) + $1 * 1000000000 ))
    while kill -0 "$pid" 2>/dev/null; do
        [ "$(date +%s%N)" -lt "$deadline" ] || { kill -9 "$pid"; fail "still running after $1 s"; }
        sleep 0.02
    done
    wait "$pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "ended with status $status"
}

# 1. Drag the square from the palette into column 0, step, check the picture, end by "終了".
start
timeout 5 xdotool mousemove --window "$win" "$(bx 320)" "$(by 100)" mousedown 1
for y in 130 170 210 250; do timeout 5 xdotool mousemove --window "$win" "$(bx 320)" "$(by $y)"; sleep 0.05; done
timeout 5 xdotool mouseup 1
sleep 0.3
[ "$(pixel "$(bx 330)" "$(by 290)")" = "192,192,192" ] || fail "the dropped square is not grey at x = 0"
for _ in 1 2 3 4; do click 336 512; done # "出す" four times: x = 2, the square wholly crossed
[ "$(pixel "$(bx 280)" "$(by 290)")" = "255,255,255" ] || fail "the crossed square is not white"
[ "$(pixel "$(bx 261)" "$(by 300)")" = "255,0,0" ] || fail "P's marker did not move to x = 2"
click 408 512 # "戻す": x = 1.5, the square's right part grey again
[ "$(pixel "$(bx 305)" "$(by 290)")" = "192,192,192" ] || fail "step back left the square white"
click 576 32 # "終了"
ended_within 1
echo "ok: drag, steps and 終了"

# 2. Close the window by its close button during automatic play.
start
# The red line from B to P (ticked at start) reaches x = 0.5 once P has made its first step.
[ "$(pixel "$(bx 291)" "$(by 300)")" != "255,0,0" ] || fail "the line from B to P is drawn before the run"
click 72 512 # "自    動" at the start speed (250 ms pauses: 5 s for the whole run)
# Closed only once P is seen to have left B: the run has really started, and is still going.
moved=""
for _ in $(seq 40); do
    [ "$(pixel "$(bx 291)" "$(by 300)")" = "255,0,0" ] && { moved=1; break; }
    sleep 0.05
done
[ -n "$moved" ] || fail "P did not move after 自動"
"$x11close" "$win"
ended_within 1
echo "ok: closed during automatic play"
