#!/usr/bin/env bash
# End-to-end flight preview: the designer on an own X server (Xvfb) opens
# the sample layout (Ctrl+O), then Tools > Flight preview… with a real
# recorded flight, plays it at 60x and checks that the page view changes as
# the flight's values and the triggered pages go by; a file that is not a
# flight log is refused with a message and opens no preview.
#
#   scripts/e2e-flight.sh          (BUILD_DIR, default build)
#
# Screenshots of every step go to artifacts/e2e-flight/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR=${BUILD_DIR:-build}
case "$BUILD_DIR" in /*) BUILD="$BUILD_DIR" ;; *) BUILD="$ROOT/$BUILD_DIR" ;; esac
IGC="$ROOT/../shared/data/igc/napret.igc"
LAYOUT="$ROOT/tests/data/layout/sample.zvl"

E2E_NAME=e2e-flight
E2E_OUT="$ROOT/artifacts/e2e-flight"
PLAY_SECONDS=8    # at 60x: the first thermal of the flight and the glide after it
MIN_CHANGED=200   # pixels of the page view that must change while playing

# shellcheck source=e2e/lib.sh
source "$ROOT/scripts/e2e/lib.sh"

e2e_need Xvfb xdotool xdpyinfo import convert compare cmake
[ -f "$IGC" ] || { echo "$E2E_NAME: $IGC is missing" >&2; exit 2; }
if [ ! -x "$BUILD/r8designer" ]; then
    e2e_log "building r8designer in $BUILD"
    [ -f "$BUILD/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD" -j"$(nproc)" --target r8designer >/dev/null ||
        { echo "$E2E_NAME: build failed" >&2; exit 2; }
fi
APP="$BUILD/r8designer"

e2e_begin

"$APP" >"$E2E_OUT/designer.log" 2>&1 &
e2e_track $!
MAIN=$(e2e_wait_window '^Zarvin Designer$' "the designer did not start")
sleep 1
e2e_focus "$MAIN"

# The sample layout: page 0 "Thermal" (Entering thermal), page 1 "Glide"
# (Transition), page 7 on power up.
e2e_key ctrl+o
DLG=$(e2e_wait_window '^Load Layout$' "Ctrl+O")
sleep 0.5
e2e_focus "$DLG"
e2e_type "$LAYOUT"
e2e_key Return
e2e_wait_gone '^Load Layout$' "the open dialog did not take the path"
e2e_wait_window 'sample.zvl' "the layout did not open" >/dev/null

# Tools > Flight preview… (the menu's third entry), first with a file that is
# not a flight log.
open_flight() { # path
    e2e_focus "$MAIN"
    e2e_key alt+t
    e2e_key Down Down Return
    local dlg
    dlg=$(e2e_wait_window '^Open a flight$' "Tools > Flight preview…")
    sleep 0.5
    e2e_focus "$dlg"
    e2e_type "$1"
    e2e_key Return
    e2e_wait_gone '^Open a flight$' "the file dialog did not take $1"
}
open_flight "$LAYOUT"
BOX=$(e2e_wait_window '^Flight preview$' "a layout file was not refused")
e2e_shot refused
e2e_focus "$BOX"
e2e_key Return
e2e_wait_gone '^Flight preview$' "the message did not close"
e2e_find_window '^Flight preview - ' >/dev/null && e2e_fail "a refused file opened a preview"

open_flight "$IGC"
PREVIEW=$(e2e_wait_window '^Flight preview - napret.igc$' "the preview did not open")
sleep 1
e2e_geometry "$PREVIEW"
PX=$WX PY=$WY PH=$WH
e2e_shot preview-start

# The page view: 240 x 320 at zoom 1.5 plus its frame, at the window's
# top left inside the layout margin.
page_crop() { # png out
    convert "$1" -crop "362x482+$((PX + 11))+$((PY + 11))" +repage "$2"
}
page_crop "$E2E_OUT/02-preview-start.png" "$E2E_TMP/start.png"

# Speed 60x (the last entry of the speed box beside Play), then play.
e2e_click $((PX + 128)) $((PY + PH - 27))
e2e_key End Return
e2e_click $((PX + 50)) $((PY + PH - 27))
sleep "$PLAY_SECONDS"
e2e_shot playing
page_crop "$E2E_OUT/03-playing.png" "$E2E_TMP/playing.png"
n=$(compare -fuzz 10% -metric AE "$E2E_TMP/start.png" "$E2E_TMP/playing.png" null: 2>&1 || true)
n=${n%%.*}
[ "${n:-0}" -ge "$MIN_CHANGED" ] || e2e_fail "the page view did not change while playing ($n pixels)"
e2e_log "the page view changed in $n pixels after ${PLAY_SECONDS}s at 60x"

sleep 1
e2e_shot still-playing
page_crop "$E2E_OUT/04-still-playing.png" "$E2E_TMP/later.png"
n=$(compare -fuzz 10% -metric AE "$E2E_TMP/playing.png" "$E2E_TMP/later.png" null: 2>&1 || true)
n=${n%%.*}
[ "${n:-0}" -gt 0 ] || e2e_fail "the values stood still while playing"

e2e_log "passed"
