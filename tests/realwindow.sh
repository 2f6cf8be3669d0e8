#!/usr/bin/env bash
# The program in a real X11 window: click its buttons and drag a piece by their places on the
# screen, check the picture, then end it by "終了" and by the close button during automatic play;
# and what steps leave on the screen with the rate of change shown is what a fresh start shows.
# Every wait is for something seen on the screen, with a generous deadline: a busy machine makes
# the program slower, never the check wrong.
# usage: realwindow.sh KANSU X11CLOSE
set -uo pipefail
kansu="$1"
x11close="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"

fail() { # what the program printed tells why it ended or misbehaved
    echo "FAIL: $*"
    [ -s "$work/out.txt" ] && { echo "--- the program printed:"; cat "$work/out.txt"; }
    exit 1
}
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# The board's picture starts 2 pixels inside the panel at window (16, 64).
bx() { echo $(( $1 + 18 )); }
by() { echo $(( $1 + 66 )); }

pixel() { # pixel X Y of the window, as r,g,b
    timeout 20 import -window "$win" "$work/shot.png" 2>/dev/null || return
    convert "$work/shot.png" -format '%[fx:int(255*p{'"$1"','"$2"'}.r)],%[fx:int(255*p{'"$1"','"$2"'}.g)],%[fx:int(255*p{'"$1"','"$2"'}.b)]' info:
}

wait_pixel() { # wait_pixel X Y R,G,B WHAT: the board pixel reads R,G,B within 20 s
    local deadline=$(( $(now_ms) + 20000 )) seen
    while :; do
        seen=$(pixel "$(bx "$1")" "$(by "$2")")
        [ "$seen" = "$3" ] && return
        [ "$(now_ms)" -lt "$deadline" ] || fail "$4 (board pixel $1,$2 is $seen, not $3)"
        sleep 0.05
    done
}

start() {
    "$kansu" >"$work/out.txt" 2>&1 &
    pid=$!
    win=""
    local deadline=$(( $(now_ms) + 20000 ))
    while [ -z "$win" ]; do
        kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
        [ "$(now_ms)" -lt "$deadline" ] || fail "no window"
        win=$(timeout 2 xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
        [ -n "$win" ] || sleep 0.05
    done
    wait_pixel 301 300 "255,0,0" "P's marker is not drawn at B"
}

# X delivers the window's input in order, so clicks need no pause between them: what they do is
# checked on the screen afterwards.
click() { timeout 5 xdotool mousemove --window "$win" "$1" "$2" click 1; }

window_gone_within() { # window_gone_within MS: no visible window of the program after MS ms
    local t0=$1 limit=$2
    while timeout 2 xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        [ $(( $(now_ms) - t0 )) -le "$limit" ] || { kill -9 "$pid"; fail "the window still stands after $limit ms"; }
        sleep 0.01
    done
    echo "window gone after $(( $(now_ms) - t0 )) ms"
}

ended_within() { # ended_within MS: the program ended by then (counted from T0) with status 0
    local t0=$1 limit=$2
    while kill -0 "$pid" 2>/dev/null; do
        [ $(( $(now_ms) - t0 )) -le "$limit" ] || { kill -9 "$pid"; fail "still running after $limit ms"; }
        sleep 0.02
    done
    wait "$pid"
    local status=$?
    [ "$status" -eq 0 ] || fail "ended with status $status"
}

# 1. Drag the square from the palette into column 0, step, check the picture, end by "終了".
start
timeout 5 xdotool mousemove --window "$win" "$(bx 320)" "$(by 100)" mousedown 1
for y in 130 170 210 250; do timeout 5 xdotool mousemove --window "$win" "$(bx 320)" "$(by $y)"; done
timeout 5 xdotool mouseup 1
wait_pixel 330 290 "192,192,192" "the dropped square is not grey at x = 0"
for _ in 1 2 3 4; do click 336 512; done # "出す" four times: x = 2, the square wholly crossed
wait_pixel 261 300 "255,0,0" "P's marker did not move to x = 2"
wait_pixel 280 290 "255,255,255" "the crossed square is not white"
click 408 512 # "戻す": x = 1.5, the square's right part grey again
wait_pixel 305 290 "192,192,192" "step back left the square white"
t0=$(now_ms)
click 576 32 # "終了"
# The learner sees the window go at once; the process may take longer to tidy up (the
# sanitizers' exit work included) but must end, and with status 0.
window_gone_within "$t0" 1000
ended_within "$t0" 10000
echo "ok: drag, steps and 終了"

# 2. Close the window by its close button during automatic play.
start
# The red line from B to P (ticked at start) reaches x = 0.5 once P has made its first step.
[ "$(pixel "$(bx 291)" "$(by 300)")" != "255,0,0" ] || fail "the line from B to P is drawn before the run"
click 72 512 # "自    動" at the start speed (250 ms pauses: 5 s for the whole run)
# Closed only once P is seen to have left B: the run has really started, and is still going.
wait_pixel 291 300 "255,0,0" "P did not move after 自動"
t0=$(now_ms)
"$x11close" "$win"
window_gone_within "$t0" 1000
ended_within "$t0" 10000
echo "ok: closed during automatic play"

# 3. Steps back and forth with the rate of change shown leave the very pixels that the same
# lesson opened at the place they end shows: nothing stale where the marks were.
example="$(dirname "$0")/../data/worked-example.kansu"
lesson_at() { # lesson_at X FILE: the worked example at x = X, the rate of change from 0
    sed -e 's/"x": 0/"x": '"$1"'/' -e 's/"speed"/"rate_from": 0, "speed"/' "$example" >"$2"
}
lesson_at 4.5 "$work/stepped.kansu"
lesson_at 5 "$work/fresh.kansu"
# Along AB's foot, the strip's orange outline starts at P: at x = 5 it reaches (206, 300), which
# at x = 4.5 is still the white of the crossed part.
shot_of() { # shot_of LESSON OUT R,G,B [keys...]: the window after the keys, (206, 300) R,G,B before
    local lesson=$1 out=$2 before=$3
    shift 3
    "$kansu" --rate "$lesson" >"$work/out.txt" 2>&1 &
    pid=$!
    win=""
    local deadline=$(( $(now_ms) + 20000 ))
    while [ -z "$win" ]; do
        [ "$(now_ms)" -lt "$deadline" ] || fail "no window"
        win=$(timeout 2 xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
        [ -n "$win" ] || sleep 0.05
    done
    wait_pixel 206 300 "$before" "P is not where the lesson puts it"
    [ $# -gt 0 ] && timeout 5 xdotool windowfocus --sync "$win" key --delay 20 "$@"
    wait_pixel 206 300 "230,90,0" "P is not at x = 5 after the keys"
    # The steps' last repaints may follow the marker's: wait for the picture to settle.
    local previous="" current
    deadline=$(( $(now_ms) + 20000 ))
    while :; do
        timeout 20 import -window "$win" "$out" 2>/dev/null
        current=$(md5sum <"$out")
        [ "$current" = "$previous" ] && break
        [ "$(now_ms)" -lt "$deadline" ] || fail "the picture does not settle"
        previous=$current
        sleep 0.2
    done
    kill "$pid"
    wait "$pid" 2>/dev/null
}
shot_of "$work/fresh.kansu" "$work/fresh.png" 230,90,0
# From x = 4.5, six steps forward and five back: to x = 5.
shot_of "$work/stepped.kansu" "$work/stepped.png" 255,255,255 Next Next Prior Prior Prior Next Prior Next Next Prior Next
differ=$(compare -metric AE "$work/fresh.png" "$work/stepped.png" null: 2>&1)
[ "$differ" = "0" ] || fail "$differ pixels differ between a fresh start and steps back to the same place"
echo "ok: the rate of change after steps"
