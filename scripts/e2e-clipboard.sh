#!/usr/bin/env bash
# End-to-end copy and paste between two running designers through the real
# X clipboard: designer A opens a layout, selects a value box and a dial
# (click, Shift-click) and copies them with Ctrl+C; designer B, a second
# process, pastes them onto its page 3 with Ctrl+V and saves. The saved file
# must hold both elements on page 3 only, at their places, with their fields.
# Then a second Ctrl+V in B puts the copies 8 pixels aside of the first ones.
#
#   scripts/e2e-clipboard.sh          (BUILD_DIR, default build)
#
# Screenshots of every step go to artifacts/e2e-clipboard/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR=${BUILD_DIR:-build}
case "$BUILD_DIR" in /*) BUILD="$BUILD_DIR" ;; *) BUILD="$ROOT/$BUILD_DIR" ;; esac

E2E_NAME=e2e-clipboard
E2E_OUT="$ROOT/artifacts/e2e-clipboard"

# shellcheck source=e2e/lib.sh
source "$ROOT/scripts/e2e/lib.sh"

e2e_need Xvfb xdotool xdpyinfo import python3
for exe in r8designer r8tool; do
    [ -x "$BUILD/$exe" ] || { echo "$E2E_NAME: $BUILD/$exe is not built" >&2; exit 2; }
done
APP="$BUILD/r8designer"
TOOL="$BUILD/r8tool"

e2e_begin

# The layout designer A copies from: an altitude box at (20, 30) and a vario
# dial at (100, 150), both on page 0.
SOURCE="$E2E_TMP/source.zvl"
cat >"$SOURCE" <<'XML'
<ZarvinLayout>
    <Object ID="1" X="20" Y="30" W="80" H="29" Screens="1" FieldID="33" Attrib="44" RangeMin="0" RangeMax="0"/>
    <Object ID="53248" X="100" Y="150" W="60" H="60" Screens="1" FieldID="105" Attrib="44" RangeMin="-5" RangeMax="5"/>
</ZarvinLayout>
XML
TARGET="$E2E_TMP/target.zvl"
"$TOOL" catalogue >"$E2E_TMP/catalogue.tsv" 2>/dev/null || e2e_fail "r8tool catalogue failed"

# Starts a designer; sets APP_PID and WIN (its main window), MX, MY.
start_designer() { # log-name
    "$APP" >"$E2E_OUT/$1.log" 2>&1 &
    APP_PID=$!
    e2e_track "$APP_PID"
    WIN=""
    for _ in $(seq 1 $((E2E_STEP_TIMEOUT * 10))); do
        WIN=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name 'Zarvin Designer' 2>/dev/null | head -n1) || true
        [ -n "$WIN" ] && break
        sleep 0.1
    done
    [ -n "$WIN" ] || e2e_fail "designer $1 did not start"
    sleep 1
    e2e_geometry "$WIN"
    MX=$WX MY=$WY
}
# Window point of an instrument pixel on the current page (zoom 2; the page
# canvas starts at (140, 77) in the window) and of the thumbnail of page i.
px() { echo $((MX + 140 + 2 * $1)); }
py() { echo $((MY + 77 + 2 * $1)); }
thumb_x() { echo $((MX + 10 + ($1 % 2) * 48 + 24)); }
thumb_y() { echo $((MY + 77 + ($1 / 2) * 64 + 32)); }

# ---- designer A: open, select two elements, copy -----------------------------

start_designer A
A_WIN=$WIN A_PID=$APP_PID
e2e_focus "$A_WIN"
e2e_key ctrl+o
OPEN_DLG=$(e2e_wait_window '^Load Layout$' "Ctrl+O in designer A")
sleep 0.5
e2e_focus "$OPEN_DLG"
e2e_type "$SOURCE"
e2e_key Return
e2e_wait_gone '^Load Layout$' "the open dialog did not take the path"
e2e_wait_window '^source\.zvl' "designer A did not open the layout" >/dev/null
sleep 0.5
e2e_click "$(px 60)" "$(py 40)"           # the value box
xdotool keydown shift
e2e_click "$(px 130)" "$(py 180)"         # the dial
xdotool keyup shift
e2e_shot a-two-selected
e2e_focus "$A_WIN"
e2e_key ctrl+c
e2e_log "A copied two elements"

# ---- designer B: paste on page 3, save ---------------------------------------

start_designer B
B_WIN=$WIN
[ "$B_WIN" != "$A_WIN" ] || e2e_fail "designer B shows no window of its own"
e2e_focus "$B_WIN"
e2e_click "$(thumb_x 3)" "$(thumb_y 3)"
e2e_focus "$B_WIN"
e2e_key ctrl+v
sleep 0.3
e2e_shot b-pasted
e2e_key ctrl+s
SAVE_DLG=$(e2e_wait_window '^Save Layout$' "Ctrl+S in designer B")
sleep 0.5
e2e_focus "$SAVE_DLG"
e2e_key ctrl+a
e2e_type "$TARGET"
e2e_key Return
e2e_wait_gone '^Save Layout$' "the save dialog did not take the path"
for _ in $(seq 1 50); do [ -s "$TARGET" ] && break; sleep 0.1; done
[ -s "$TARGET" ] || e2e_fail "Ctrl+S wrote no $TARGET"
cp "$TARGET" "$E2E_OUT/pasted.zvl"
EXPECTED='{"objects": [[1, 20, 30, 8, "Altitude"], [53248, 100, 150, 8, "Vario"]], "pages": {}}'
python3 "$ROOT/scripts/e2e/check_layout.py" "$TARGET" "$E2E_TMP/catalogue.tsv" "$EXPECTED" ||
    e2e_fail "B's saved layout does not hold A's elements on page 3 (file: $E2E_OUT/pasted.zvl)"
grep -q 'RangeMin="-5" RangeMax="5"' "$TARGET" || e2e_fail "the dial's range did not travel with it"
e2e_log "B pasted A's elements onto page 3 and saved them"

# A second paste lands beside the first copies.
e2e_focus "$B_WIN"
e2e_key ctrl+v
e2e_key ctrl+s
sleep 0.5
e2e_shot b-pasted-again
EXPECTED='{"objects": [[1, 20, 30, 8, "Altitude"], [53248, 100, 150, 8, "Vario"],
                       [1, 28, 38, 8, "Altitude"], [53248, 108, 158, 8, "Vario"]], "pages": {}}'
python3 "$ROOT/scripts/e2e/check_layout.py" "$TARGET" "$E2E_TMP/catalogue.tsv" "$EXPECTED" ||
    e2e_fail "the second paste did not land 8 pixels aside"
kill -0 "$A_PID" 2>/dev/null || e2e_fail "designer A ended during the session"
e2e_log "1 passed, 0 failed"
