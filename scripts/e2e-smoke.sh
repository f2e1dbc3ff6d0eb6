#!/usr/bin/env bash
# End-to-end smoke test under a real X server: drag the value-box sample onto
# page 0, choose "Altitude" in the element properties dialog, press OK, and
# check that the page now shows the element.
#
#   scripts/e2e-smoke.sh [build-dir]      (default: build)
#
# Needs Xvfb, xdotool, xdpyinfo and ImageMagick (import, convert, compare).
# Screenshots go to artifacts/e2e/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-${BUILD_DIR:-$ROOT/build}}"
APP="$BUILD/r8designer"
OUT="$ROOT/artifacts/e2e"
STEP_TIMEOUT=20   # seconds for any one wait
MIN_CHANGED=200   # pixels that must change in the page area

for tool in Xvfb xdotool xdpyinfo import convert compare; do
    command -v "$tool" >/dev/null || { echo "e2e-smoke: $tool is missing" >&2; exit 2; }
done
[ -x "$APP" ] || { echo "e2e-smoke: $APP not built" >&2; exit 2; }
mkdir -p "$OUT"

TMP="$(mktemp -d)"
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$TMP"
}
trap cleanup EXIT

fail() {
    echo "e2e-smoke: FAIL: $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "$OUT/failure.png" 2>/dev/null || true
    echo "0 passed, 1 failed"
    exit 1
}

# A display number nobody uses.
DISP=""
for n in $(seq 91 160); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then DISP=":$n"; break; fi
done
[ -n "$DISP" ] || fail "no free display"

Xvfb "$DISP" -screen 0 1280x1024x24 -nolisten tcp >"$TMP/xvfb.log" 2>&1 &
XVFB_PID=$!
export DISPLAY="$DISP"
for _ in $(seq 1 $((STEP_TIMEOUT * 10))); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start on $DISP"

# A fresh settings store; the catalogue download is switched off so the run
# never waits on the network.
export HOME="$TMP/home" XDG_CONFIG_HOME="$TMP/config" XDG_RUNTIME_DIR="$TMP/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Zarvin" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[General]\nCatalogueUrl=\n' >"$XDG_CONFIG_HOME/Zarvin/R8designer.conf"

"$APP" >"$OUT/app.log" 2>&1 &
APP_PID=$!

WIN="$(timeout "$STEP_TIMEOUT" xdotool search --sync --onlyvisible --name '^Zarvin Designer$' | head -n1)" ||
    fail "main window did not appear"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WIN")"
WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
echo "main window at $WX,$WY size ${WW}x$WH"

# On this 1024-pixel screen the zoom is 2: the tool box column starts at
# x = 2 * 320 + 60 = 700 and the value-box sample sits at y = 70 (window
# coordinates). The page canvas lies left of it, about x 140..622.
SAMPLE_X=$((WX + 715)) SAMPLE_Y=$((WY + 77))
DROP_X=$((WX + 300)) DROP_Y=$((WY + 300))
# Page area compared before and after: around the drop point.
CROP="200x120+$((WX + 280))+$((WY + 280))"

import -window root "$OUT/01-start.png"

xdotool mousemove "$SAMPLE_X" "$SAMPLE_Y"
sleep 0.2
xdotool mousedown 1
for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((SAMPLE_X + (DROP_X - SAMPLE_X) * i / 8)) $((SAMPLE_Y + (DROP_Y - SAMPLE_Y) * i / 8))
    sleep 0.05
done
xdotool mouseup 1

DLG="$(timeout "$STEP_TIMEOUT" xdotool search --sync --onlyvisible --name '^Element properties$' | head -n1)" ||
    fail "the element properties dialog did not open after the drop"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$DLG")"
DX=$X DY=$Y
import -window root "$OUT/02-dialog.png"

# "Data field" is the first tab; the field list is the first row of its form.
xdotool mousemove $((DX + 50)) $((DY + 22)) click 1
sleep 0.3
xdotool mousemove $((DX + 170)) $((DY + 70)) click 1
sleep 0.5
# The open list searches by typing; Return takes the item.
xdotool type --delay 60 "Altitude"
sleep 0.2
xdotool key Return
sleep 0.3
import -window root "$OUT/03-field.png"
xdotool key Return   # the dialog's default button: OK
sleep 1

if xdotool search --onlyvisible --name '^Element properties$' >/dev/null 2>&1; then
    fail "the dialog is still open (no field was taken?)"
fi
import -window root "$OUT/04-placed.png"

convert "$OUT/01-start.png" -crop "$CROP" +repage "$TMP/before.png"
convert "$OUT/04-placed.png" -crop "$CROP" +repage "$TMP/after.png"
CHANGED="$(compare -metric AE "$TMP/before.png" "$TMP/after.png" null: 2>&1 || true)"
CHANGED="${CHANGED%%.*}"
echo "pixels changed in the page area: $CHANGED"
[[ "$CHANGED" =~ ^[0-9]+$ ]] || fail "could not compare the screenshots: $CHANGED"
[ "$CHANGED" -ge "$MIN_CHANGED" ] || fail "the page shows no new element ($CHANGED pixels changed)"

kill -0 "$APP_PID" 2>/dev/null || fail "the designer exited"
echo "e2e-smoke: OK (screenshots in $OUT)"
echo "1 passed, 0 failed"
