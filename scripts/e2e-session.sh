#!/usr/bin/env bash
# End-to-end session: the designer driven as a user would, with real pointer
# and key events (xdotool) on an own X server (Xvfb).
#
#   layout:    drag a value box, a dial and a map onto page 0 and a value box
#              onto page 2 and pick their fields, move one with the mouse and
#              one with the arrow keys (the last step undone), align two after
#              a Shift-click, delete one (Ctrl+Z, Ctrl+Y, Ctrl+Z: the page as
#              before each time), name pages 0 and 2 and give page 2 a trigger,
#              Ctrl+N on the modified layout (cancelled), save, Ctrl+N, open,
#              Ctrl+N, reopen from the recent files and send to the simulator
#              ("Send anyway"). The saved file must hold every edit and the
#              simulator's log must equal "r8tool layout-batch" of it.
#   recovery:  nudge the value box, wait for the recovery copy, SIGKILL the
#              designer, restart it, restore (the default answer) and save:
#              the file must hold the nudge. The tool dialogs open there.
#   command line and clipboard: "r8designer sample.zvl" opens the sample; two
#              of its elements copied there are pasted twice onto page 3 of
#              the restarted designer (another process) and saved: the copies
#              keep their properties, the second lies 8 pixels aside.
#   flight preview: a file that is no flight log is refused; a real flight
#              played at 60x moves the sample's page view on.
#
#   scripts/e2e-session.sh          (BUILD_DIR, default build)
#
# Screenshots of every step go to artifacts/e2e-session/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR=${BUILD_DIR:-build}
case "$BUILD_DIR" in /*) BUILD="$BUILD_DIR" ;; *) BUILD="$ROOT/$BUILD_DIR" ;; esac
IGC="$ROOT/../shared/data/igc/napret.igc"
SAMPLE="$ROOT/tests/data/layout/sample.zvl"

E2E_NAME=e2e-session
E2E_OUT="$ROOT/artifacts/e2e-session"
SEND_TIMEOUT=60   # seconds for a whole transfer to the simulator

# shellcheck source=e2e/lib.sh
source "$ROOT/scripts/e2e/lib.sh"

for need in Xvfb xdotool import convert compare python3 "$BUILD/r8designer" "$BUILD/r8sim" "$BUILD/r8tool"; do
    command -v "$need" >/dev/null || { echo "$E2E_NAME: $need is missing (build first)" >&2; exit 2; }
done
[ -f "$IGC" ] || { echo "$E2E_NAME: $IGC is missing (shared/ must lie beside the project)" >&2; exit 2; }
APP="$BUILD/r8designer"
TOOL="$BUILD/r8tool"

e2e_begin
START_TIME=$(date +%s)
"$TOOL" catalogue >"$E2E_TMP/catalogue.tsv" 2>/dev/null || e2e_fail "r8tool catalogue failed"

# Starts a designer with the given arguments; sets APP_PID.
start_designer() { # log-name arguments...
    local log=$1
    shift
    "$APP" "$@" >"$E2E_OUT/$log.log" 2>&1 &
    APP_PID=$!
    e2e_track "$APP_PID"
}

# Places in a designer window at scale 2 (MX, MY: its corner): the tool box
# column starts at x 700; page canvases have their origin at (140, 77) and
# thumbnail i lies at (10 + (i % 2) * 48, 77 + (i / 2) * 64), 48 x 64.
use_window() {
    e2e_geometry "$1"
    MX=$WX MY=$WY
}
mx() { echo $((MX + $1)); }
my() { echo $((MY + $1)); }
# Window point of an instrument pixel on the current page.
px() { echo $((MX + 140 + 2 * $1)); }
py() { echo $((MY + 77 + 2 * $1)); }
thumb() { # page [double]: clicks its thumbnail (and double-clicks it)
    local x=$((MX + 34 + ($1 % 2) * 48)) y=$((MY + 109 + ($1 / 2) * 64))
    e2e_click "$x" "$y"
    [ -z "${2:-}" ] || e2e_click "$x" "$y" 2
}

# Crops page 0's canvas, or a preview's page view, out of the last screenshot.
canvas() { # out [geometry]
    convert "$E2E_LAST_SHOT" -crop "${2:-482x642+$((MX + 140))+$((MY + 77))}" +repage "$1"
}
pixels_differ() { # png png
    local n
    n=$(compare -fuzz 10% -metric AE "$1" "$2" null: 2>&1 || true)
    echo "${n%%.*}"
}
# A screenshot whose canvas must equal EXPECTED (or differ from it in more
# than 1000 pixels with "differs").
check_canvas() { # expected-png shot-name what [differs]
    e2e_shot "$2"
    canvas "$E2E_TMP/canvas-$2.png"
    n=$(pixels_differ "$1" "$E2E_TMP/canvas-$2.png")
    if [ -n "${4:-}" ]; then [ "$n" -gt 1000 ]; else [ "$n" = 0 ]; fi || e2e_fail "$3 ($n pixels differ)"
}

# Checks the saved layout against check_layout.py's JSON description.
check_file() { # expected-json what
    cp "$LAYOUT" "$E2E_OUT/session.zvl"
    python3 "$ROOT/scripts/e2e/check_layout.py" "$LAYOUT" "$E2E_TMP/catalogue.tsv" "$1" ||
        e2e_fail "$2 (file: $E2E_OUT/session.zvl)"
}

# ---- the layout ------------------------------------------------------------------

SIM_LOG="$E2E_TMP/sim.log"
"$BUILD/r8sim" --log "$SIM_LOG" >"$E2E_TMP/sim.out" 2>"$E2E_TMP/sim.err" &
e2e_track $!
e2e_poll 5 grep -q '^R8_EXTRA_PORTS=' "$E2E_TMP/sim.out" ||
    e2e_fail "r8sim printed no R8_EXTRA_PORTS line: $(cat "$E2E_TMP/sim.err")"
R8_EXTRA_PORTS=$(sed -n 's/^R8_EXTRA_PORTS=//p' "$E2E_TMP/sim.out") start_designer designer
MAIN=$(e2e_wait_window '^Zarvin Designer$' "the designer did not start")
sleep 1
use_window "$MAIN"
[ "$WW" = 830 ] && [ "$WH" = 720 ] || e2e_fail "main window is ${WW}x$WH, expected 830x720 (scale 2)"
e2e_shot start
canvas "$E2E_TMP/canvas-empty.png"

# Tool box samples: a grip point inside each and its offset from the sample's
# top-left corner (where the element lands relative to the drop point).
VALUE_GRIP=(715 77 15 7)   # sample at (700, 70)
MAP_GRIP=(715 280 15 15)   # sample at (700, 265)
DIAL_GRIP=(715 594 15 15)  # sample at (700, 579)

# Drags a tool box sample so that the element's top-left corner lands on
# the instrument pixel (ix, iy) of the current page, then in the element
# properties dialog chooses a field by typing its name into the opened
# field list (empty: keep) and presses OK.
drop_sample() { # grip-array-name ix iy field-name shot-name
    local -n grip=$1
    local dlg
    e2e_drag "$(mx "${grip[0]}")" "$(my "${grip[1]}")" $(($(px "$2") + grip[2])) $(($(py "$3") + grip[3]))
    dlg=$(e2e_wait_window '^Element properties$' "after a drop")
    sleep 0.3
    e2e_geometry "$dlg"
    if [ -n "$4" ]; then
        e2e_click $((WX + 54)) $((WY + 25))    # the "Data field" tab
        e2e_click $((WX + 141)) $((WY + 71))   # the field list
        sleep 0.3
        e2e_type "$4"
        e2e_key Return
    fi
    e2e_shot "$5"
    e2e_click $((WX + 160)) $((WY + 301))      # OK
    e2e_wait_gone '^Element properties$' "OK did not close the element properties"
}

e2e_log "layout: dropping elements, moving, aligning"
drop_sample VALUE_GRIP 10 10 "Altitude" value-altitude
drop_sample DIAL_GRIP 10 120 "Vario" dial-vario
drop_sample MAP_GRIP 110 190 "" map
thumb 2
drop_sample VALUE_GRIP 60 40 "Speed" page2-value
thumb 0
# The value box: 10 instrument pixels right and 15 down with the mouse.
e2e_drag "$(px 40)" "$(py 25)" "$(px 50)" "$(py 40)"
# The dial: three right and one down with the arrow keys; the last step is
# taken back with Ctrl+Z.
e2e_click "$(px 30)" "$(py 150)"
e2e_key Right Right Right Down ctrl+z
# The map first (the reference), then Shift-click the dial; "Align top" on
# the tool bar.
e2e_click "$(px 170)" "$(py 250)"
xdotool keydown shift
e2e_click "$(px 30)" "$(py 150)"
xdotool keyup shift
e2e_click "$(mx 147)" "$(my 42)"
e2e_shot aligned-top

# Delete takes the map away in one step; Ctrl+Z brings it back, Ctrl+Y
# deletes it again, Ctrl+Z brings it back: page 0 looks as before each time.
e2e_log "layout: delete, undo, redo"
e2e_click "$(px 200)" "$(py 300)"      # empty canvas: nothing selected
e2e_shot before-delete
canvas "$E2E_TMP/canvas-before-delete.png"
e2e_click "$(px 170)" "$(py 180)"      # the map
e2e_focus "$MAIN"
e2e_key Delete
check_canvas "$E2E_TMP/canvas-before-delete.png" map-deleted "Delete did not take the map away" differs
e2e_key ctrl+z
check_canvas "$E2E_TMP/canvas-before-delete.png" delete-undone "Ctrl+Z did not bring the map back as it was"
e2e_key ctrl+y
check_canvas "$E2E_TMP/canvas-map-deleted.png" delete-redone "Ctrl+Y did not delete the map again"
e2e_key ctrl+z
check_canvas "$E2E_TMP/canvas-before-delete.png" delete-undone-again "Ctrl+Z again did not bring the map back"

# Page names and a trigger, through the page properties dialog (double click
# on a thumbnail). The dialog has no parent: it opens in the screen's middle.
name_page() { # page name trigger-row(-1: none) shot-name
    local dlg
    thumb "$1" double
    dlg=$(e2e_wait_window '^Page properties$' "double click on thumbnail $1")
    sleep 0.3
    e2e_geometry "$dlg"
    e2e_focus "$dlg"
    e2e_click $((WX + 176)) $((WY + 32))               # the name
    e2e_key ctrl+a
    e2e_type "$2"
    [ "$3" -lt 0 ] || e2e_click $((WX + 38)) $((WY + 95 + 28 * $3)) # trigger check box
    e2e_shot "$4"
    e2e_click $((WX + 254)) $((WY + 295))              # OK
    e2e_wait_gone '^Page properties$' "OK did not close the page properties"
}
e2e_log "layout: page names and a trigger"
name_page 0 "Cruise" -1 page0-named
name_page 2 "Climb" 1 page2-named-thermal   # "Entering thermal"
thumb 0

# Ctrl+N on the modified layout asks first; Escape (Cancel) keeps it, as the
# saved file shows.
e2e_focus "$MAIN"
e2e_key ctrl+n
PROMPT=$(e2e_wait_window '^R8designer$' "Ctrl+N on a modified layout did not ask")
sleep 0.3
e2e_shot modified-prompt
e2e_focus "$PROMPT"
e2e_key Escape
e2e_wait_gone '^R8designer$' "Escape did not cancel the prompt"

e2e_log "layout: save, new, reopen from the recent files"
LAYOUT="$E2E_TMP/layouts/session.zvl"
LAYOUT_TITLE="^session.zvl - Zarvin Designer\$" # file name, no modified mark
mkdir -p "$(dirname "$LAYOUT")"
e2e_focus "$MAIN"
e2e_key ctrl+s
e2e_file_dialog '^Save Layout$' "$LAYOUT" "Ctrl+S on an unnamed layout"
e2e_wait_window "$LAYOUT_TITLE" "the title names the saved file" >/dev/null
e2e_shot saved
canvas "$E2E_TMP/canvas-saved.png"

# What the session did, as the file must hold it: the value box dropped at
# (10, 10) and dragged by (10, 15); the dial dropped at (10, 120), three
# steps right (the step down was undone); the map dropped at (110, 190) and
# aligned to the dial's top; the value box of page 2 at (60, 40).
OBJECTS='[1, 20, 25, 1, "Altitude"], [53248, 13, 120, 1, "Vario"], [57408, 110, 120, 1, null],
         [1, 60, 40, 4, "Speed"]'
PAGES='"pages": {"0": ["Cruise", 0], "2": ["Climb", 2]}'
check_file "{\"objects\": [$OBJECTS], $PAGES}" "the saved layout differs from the session's edits"

e2e_focus "$MAIN"
e2e_key ctrl+n
e2e_wait_gone "$LAYOUT_TITLE" "Ctrl+N kept the file's title"
sleep 0.5
check_canvas "$E2E_TMP/canvas-empty.png" new-layout "after Ctrl+N page 0 is not empty"

# Only a load puts a file on the recent-file list (saving does not): open it
# once with Ctrl+O, start anew again, then take it from the File menu.
e2e_key ctrl+o
e2e_file_dialog '^Load Layout$' "$LAYOUT" "Ctrl+O"
e2e_wait_window "$LAYOUT_TITLE" "Ctrl+O did not open the layout" >/dev/null
e2e_focus "$MAIN"
e2e_key ctrl+n
e2e_wait_gone "$LAYOUT_TITLE" "the second Ctrl+N kept the file's title"
sleep 0.3
e2e_click "$(mx 20)" "$(my 10)"        # File; the recent file is its fifth entry
e2e_shot file-menu-recent
e2e_click "$(mx 55)" "$(my 136)"
e2e_wait_window "$LAYOUT_TITLE" "the recent-file entry did not open the layout" >/dev/null
sleep 0.5
check_canvas "$E2E_TMP/canvas-saved.png" reopened "the reopened page 0 differs from the saved one"

e2e_log "layout: send to the simulator"
"$TOOL" layout-batch "$LAYOUT" >"$E2E_OUT/layout-expected.txt" 2>"$E2E_TMP/layout-batch.err" ||
    e2e_fail "r8tool layout-batch failed: $(cat "$E2E_TMP/layout-batch.err")"
e2e_click "$(mx 20)" "$(my 10)"
e2e_click "$(mx 80)" "$(my 163)"       # "Send to device"
# Most pages are enabled and empty: the layout check asks first.
ASK=$(e2e_wait_window '^Send to device$' "Send to device did not ask about the layout's problems")
sleep 0.3
e2e_shot send-check
e2e_focus "$ASK"
e2e_key alt+a                           # "Send anyway"
e2e_wait_gone '^Send to device$' "Send anyway did not close the question"
e2e_poll "$SEND_TIMEOUT" grep -q '^PZVFLO,END' "$SIM_LOG" || true
sleep 0.3
e2e_shot sent
grep -v '^PZVSNP' "$SIM_LOG" >"$E2E_OUT/layout-received.txt" || true
cmp -s "$E2E_OUT/layout-expected.txt" "$E2E_OUT/layout-received.txt" ||
    e2e_fail "the simulator received other sentences than r8tool layout-batch prints (see $E2E_OUT)"
e2e_log "layout: the simulator received the $(wc -l <"$E2E_OUT/layout-expected.txt") sentences expected"

# ---- crash recovery ----------------------------------------------------------------

# One step right for the value box, then the designer is killed as hard as
# can be once its recovery copy is written (within 5 s of the change).
e2e_log "recovery: an edit, SIGKILL, restart, restore, save"
grep -q "recentFileList=.*session.zvl" "$XDG_CONFIG_HOME/Zarvin/R8designer.conf" ||
    e2e_fail "the recent-file list is not in the settings store"
e2e_focus "$MAIN"
e2e_click "$(px 50)" "$(py 35)"        # the value box
e2e_key Right
RECOVERY_DIR="$XDG_DATA_HOME/Zarvin/R8designer/recovery"
recovery_copy() { ls "$RECOVERY_DIR"/recovery-*.zvl >/dev/null 2>&1; }
e2e_poll 5 recovery_copy || e2e_fail "no recovery copy in $RECOVERY_DIR 5 s after an edit"
kill -KILL "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_wait_gone 'Zarvin Designer$' "the killed designer's window stayed"

start_designer designer-2
RECOVER=$(e2e_wait_window '^Recover Layout$' "the restarted designer did not offer the recovery copy")
sleep 0.3
e2e_shot recovery-offered
e2e_focus "$RECOVER"
e2e_key Return                         # "Restore", the default
e2e_wait_gone '^Recover Layout$' "Return did not restore"
# The layout's own name again, marked modified; Ctrl+S writes it there.
MAIN=$(e2e_wait_window '^session.zvl\* - Zarvin Designer$' "no modified session.zvl restored")
sleep 0.5
e2e_shot restored
e2e_focus "$MAIN"
e2e_key ctrl+s
e2e_wait_window "$LAYOUT_TITLE" "Ctrl+S did not save the restored layout to its file" >/dev/null
OBJECTS=${OBJECTS/\[1, 20, 25,/[1, 21, 25,}
check_file "{\"objects\": [$OBJECTS], $PAGES}" "the saved restored layout lacks the edit made before the kill"
recovery_copy && e2e_fail "a recovery copy is left after the save"

# The tool dialogs open from the Tools menu (their work is tested beside the
# simulator on their own).
use_window "$MAIN"
for entry in "34 ^Airspaces$" "59 ^Firmware upload$"; do
    e2e_click "$(mx 206)" "$(my 10)"   # Tools
    e2e_click "$(mx 245)" "$(my "${entry%% *}")"
    DLG=$(e2e_wait_window "${entry#* }" "Tools menu")
    sleep 0.3
    e2e_shot tool-dialog
    e2e_focus "$DLG"
    e2e_key Escape
    e2e_wait_gone "${entry#* }" "Escape did not close the dialog"
done
thumb 3                                # where the paste goes

# ---- command line and clipboard ------------------------------------------------------

e2e_log "command line and clipboard: r8designer sample.zvl, copy, paste in the other designer"
start_designer designer-3 "$SAMPLE"
THIRD=$(e2e_wait_window '^sample.zvl - Zarvin Designer$' "r8designer $SAMPLE did not open the layout")
sleep 0.5
use_window "$THIRD"
e2e_click "$(px 60)" "$(py 20)"        # the altitude box
xdotool keydown shift
e2e_click "$(px 60)" "$(py 100)"       # the vario dial
xdotool keyup shift
e2e_shot sample-two-selected
e2e_focus "$THIRD"
e2e_key ctrl+c
xdotool windowraise "$MAIN"
e2e_focus "$MAIN"
e2e_key ctrl+v ctrl+v ctrl+s
e2e_wait_window "$LAYOUT_TITLE" "Ctrl+S did not save the pasted elements" >/dev/null
e2e_shot pasted-twice
VALUE_PROPS='{"W": 120, "H": 40, "Attrib": 45}'
DIAL_PROPS='{"W": 100, "H": 100, "RangeMin": -5, "RangeMax": 5}'
OBJECTS="$OBJECTS, [1, 0, 0, 8, \"Altitude\", $VALUE_PROPS], [53248, 10, 50, 8, \"Vario\", $DIAL_PROPS],
         [1, 8, 8, 8, \"Altitude\", $VALUE_PROPS], [53248, 18, 58, 8, \"Vario\", $DIAL_PROPS]"
check_file "{\"objects\": [$OBJECTS], $PAGES}" "the pasted copies differ from the sample's elements"

# ---- flight preview ----------------------------------------------------------------

# Tools > Flight preview… (the menu's third entry), first with a file that is
# not a flight log.
open_flight() { # path
    e2e_focus "$THIRD"
    e2e_key alt+t Down Down Return
    e2e_file_dialog '^Open a flight$' "$1" "Tools > Flight preview…"
}
e2e_log "flight preview: a layout refused, a real flight at 60x"
open_flight "$SAMPLE"
BOX=$(e2e_wait_window '^Flight preview$' "a layout file was not refused")
e2e_shot flight-refused
e2e_focus "$BOX"
e2e_key Return
e2e_wait_gone '^Flight preview$' "the message did not close"
e2e_find_window '^Flight preview - ' >/dev/null && e2e_fail "a refused file opened a preview"

open_flight "$IGC"
PREVIEW=$(e2e_wait_window '^Flight preview - napret.igc$' "the preview did not open")
sleep 1
e2e_geometry "$PREVIEW"
# The page view: 240 x 320 at zoom 1.5 plus its frame, inside the margin.
VIEW="362x482+$((WX + 11))+$((WY + 11))"
e2e_shot preview-start
canvas "$E2E_TMP/preview-start.png" "$VIEW"
# Speed 60x (the last entry of the speed box beside Play), then play.
e2e_click $((WX + 128)) $((WY + WH - 27))
e2e_key End Return
e2e_click $((WX + 50)) $((WY + WH - 27))
sleep 8   # at 60x: the first thermal of the flight and the glide after it
e2e_shot preview-playing
canvas "$E2E_TMP/preview-playing.png" "$VIEW"
n=$(pixels_differ "$E2E_TMP/preview-start.png" "$E2E_TMP/preview-playing.png")
[ "${n:-0}" -ge 200 ] || e2e_fail "the page view did not change while playing ($n pixels)"
# The time slider's groove fills in blue up to the handle, a pixel for about
# 9 s of this flight: at 60x the 8 s have gone over 40 pixels.
n=$(convert "$E2E_LAST_SHOT" -crop "600x1+$WX+$((WY + WH - 60))" -fx 'b - r > 0.3' \
    -format '%[fx:round(mean * w)]' info:)
[ "$n" -ge 40 ] || e2e_fail "the flight went on by $n slider pixels in 8 s at 60x"

e2e_log "OK: passed in $(($(date +%s) - START_TIME)) s (screenshots in $E2E_OUT)"
