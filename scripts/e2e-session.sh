#!/usr/bin/env bash
# End-to-end session: the whole program driven as a user would, with real
# pointer and key events (xdotool) on an own X server (Xvfb).
#
#   layout:    drag a value box, a dial and a map onto page 0 and a value box
#              onto page 2, pick their fields, move one with the mouse and one
#              with the arrow keys (the last step undone), align two after a
#              Shift-click (tool bar; undone; again from the Format menu), name
#              pages 0 and 2 and give page 2 a trigger, Ctrl+N on the modified
#              layout (prompt cancelled), delete the map and take it back
#              (Ctrl+Z, Ctrl+Y, Ctrl+Z: the page as before each time), save,
#              Ctrl+N, open, Ctrl+N, reopen from the recent-file list and send
#              to the simulator (answering the layout check's question with
#              "Send anyway"). The saved file must hold every edit and the
#              simulator's log must equal "r8tool layout-batch" of it.
#   airspace:  open two OpenAir files, uncheck one airspace, upload; the
#              simulator's log must equal "r8tool airspace-batch" of the files
#              without that airspace's lines.
#   recovery:  nudge the value box, wait for the recovery copy, kill the
#              designer (SIGKILL), restart it, restore (the default answer)
#              and save: the file must hold the nudge.
#   firmware:  in that restarted designer (the recent files must persist),
#              beside a simulator in firmware mode, write a generated image;
#              the received body must be byte-identical.
#   command line: "r8designer FILE.zvl" opens the layout at start.
#
#   scripts/e2e-session.sh          (BUILD_DIR, default build)
#
# Screenshots of every step go to artifacts/e2e-session/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR=${BUILD_DIR:-build}
case "$BUILD_DIR" in /*) BUILD="$BUILD_DIR" ;; *) BUILD="$ROOT/$BUILD_DIR" ;; esac
OPENAIR_DIR="$ROOT/../shared/data/openair"

E2E_NAME=e2e-session
E2E_OUT="$ROOT/artifacts/e2e-session"
SEND_TIMEOUT=60   # seconds for a whole transfer to the simulator

# shellcheck source=e2e/lib.sh
source "$ROOT/scripts/e2e/lib.sh"

e2e_need Xvfb xdotool xdpyinfo import convert compare python3 awk cmp cmake
if [ ! -x "$BUILD/r8designer" ] || [ ! -x "$BUILD/r8sim" ] || [ ! -x "$BUILD/r8tool" ]; then
    e2e_log "building r8designer, r8sim and r8tool in $BUILD"
    [ -f "$BUILD/CMakeCache.txt" ] || cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD" -j"$(nproc)" --target r8designer r8sim r8tool >/dev/null ||
        { echo "$E2E_NAME: build failed" >&2; exit 2; }
fi
APP="$BUILD/r8designer"
SIM="$BUILD/r8sim"
TOOL="$BUILD/r8tool"

e2e_begin
START_TIME=$(date +%s)

e2e_start_x
e2e_log "X server on $DISPLAY"

# Starts r8sim with the given options; sets SIM_PID and SIM_PORTS (the
# R8_EXTRA_PORTS value).
start_sim() { # name options...
    local name=$1 line
    shift
    "$SIM" "$@" >"$E2E_TMP/$name.out" 2>"$E2E_TMP/$name.err" &
    SIM_PID=$!
    e2e_track "$SIM_PID"
    for _ in $(seq 1 50); do
        line=$(grep -m1 '^R8_EXTRA_PORTS=' "$E2E_TMP/$name.out" 2>/dev/null || true)
        [ -n "$line" ] && break
        kill -0 "$SIM_PID" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$line" ] || e2e_fail "r8sim ($name) printed no R8_EXTRA_PORTS line: $(cat "$E2E_TMP/$name.err")"
    SIM_PORTS=${line#R8_EXTRA_PORTS=}
}

# Sentence bodies a simulator logged, without the identification requests.
sim_bodies() { grep -v '^PZVSNP' "$1" || true; }

# Compares two files; on a difference shows it and fails.
same_files() { # expected actual what
    if ! cmp -s "$1" "$2"; then
        diff "$1" "$2" | head -n 20 >&2 || true
        e2e_fail "$3"
    fi
}

# ---- the designer ------------------------------------------------------------

start_sim layout --log "$E2E_TMP/layout-sim.log"
R8_EXTRA_PORTS="$SIM_PORTS" "$APP" >"$E2E_OUT/designer.log" 2>&1 &
APP_PID=$!
e2e_track "$APP_PID"

MAIN=$(e2e_wait_window '^Zarvin Designer$' "the designer did not start")
sleep 1
e2e_geometry "$MAIN"
MX=$WX MY=$WY
[ "$WW" = 830 ] && [ "$WH" = 720 ] || e2e_fail "main window is ${WW}x$WH, expected 830x720 (scale 2)"
e2e_shot start

# Places in the window at scale 2: the tool box column starts at x 700; the
# work area starts at y 62 (below the menu and tool bars), so page canvases
# have their origin at (140, 77) and thumbnail i lies at
# (10 + (i % 2) * 48, 77 + (i / 2) * 64), 48 x 64.
mx() { echo $((MX + $1)); }
my() { echo $((MY + $1)); }
CANVAS_X=140 CANVAS_Y=77
# Window point of an instrument pixel on the current page.
px() { echo $((MX + CANVAS_X + 2 * $1)); }
py() { echo $((MY + CANVAS_Y + 2 * $1)); }
thumb_x() { echo $((MX + 10 + ($1 % 2) * 48 + 24)); }
thumb_y() { echo $((MY + CANVAS_Y + ($1 / 2) * 64 + 32)); }

# Pixels of page 0's canvas in a screenshot.
canvas_crop() { # png out
    convert "$1" -crop "482x642+$((MX + CANVAS_X))+$((MY + CANVAS_Y))" +repage "$2"
}
pixels_differ() { # png png
    local n
    n=$(compare -fuzz 10% -metric AE "$1" "$2" null: 2>&1 || true)
    echo "${n%%.*}"
}
# Page 0's canvas in the latest screenshot.
last_canvas() { # out
    canvas_crop "$(ls "$E2E_OUT"/[0-9]*.png | tail -n 1)" "$1"
}

# Tool box samples: a grip point inside each and its offset from the sample's
# top-left corner (where the element lands relative to the drop point).
VALUE_GRIP=(715 77 15 7)   # sample at (700, 70)
MAP_GRIP=(715 280 15 15)   # sample at (700, 265)
DIAL_GRIP=(715 594 15 15)  # sample at (700, 579)

# Drags a tool box sample so that the element's top-left corner lands on the
# instrument pixel (ix, iy) of the current page.
drop_sample() { # grip-array-name ix iy
    local -n grip=$1
    e2e_drag "$(mx "${grip[0]}")" "$(my "${grip[1]}")" \
        $(($(px "$2") + grip[2])) $(($(py "$3") + grip[3]))
}

# In the open element properties dialog: choose a field by typing its name
# into the opened field list (empty: keep), then OK.
PROPS_TITLE='^Element properties$'
props_pick_field() { # field-name shot-name
    local dlg
    dlg=$(e2e_wait_window "$PROPS_TITLE" "after a drop")
    sleep 0.3
    e2e_geometry "$dlg"
    local dx=$WX dy=$WY
    if [ -n "$1" ]; then
        e2e_click $((dx + 54)) $((dy + 25))    # the "Data field" tab
        e2e_click $((dx + 141)) $((dy + 71))   # the field list
        sleep 0.3
        e2e_type "$1"
        e2e_key Return
    fi
    e2e_shot "$2"
    e2e_click $((dx + 160)) $((dy + 301))      # OK
    e2e_wait_gone "$PROPS_TITLE" "OK did not close the element properties"
}

e2e_log "layout: dropping elements"
drop_sample VALUE_GRIP 10 10
props_pick_field "Altitude" value-altitude
drop_sample DIAL_GRIP 10 120
props_pick_field "Vario" dial-vario
drop_sample MAP_GRIP 110 190
props_pick_field "" map
e2e_shot page0-three

e2e_click "$(thumb_x 2)" "$(thumb_y 2)"
drop_sample VALUE_GRIP 60 40
props_pick_field "Speed" page2-value
e2e_click "$(thumb_x 0)" "$(thumb_y 0)"
e2e_shot back-on-page0


e2e_log "layout: moving, undo, aligning"
# The value box: 10 instrument pixels right and 15 down with the mouse.
e2e_drag "$(px 40)" "$(py 25)" "$(px 50)" "$(py 40)"
e2e_shot moved-value
# The dial: three right and one down with the arrow keys; the last step is
# taken back with Ctrl+Z.
e2e_click "$(px 30)" "$(py 150)"
e2e_key Right Right Right Down
e2e_shot dial-nudged
e2e_key ctrl+z
e2e_shot dial-undone
# The map first (the reference), then Shift-click the dial; "Align top" on
# the tool bar.
e2e_click "$(px 170)" "$(py 250)"
xdotool keydown shift
e2e_click "$(px 30)" "$(py 150)"
xdotool keyup shift
e2e_shot two-selected
last_canvas "$E2E_TMP/canvas-unaligned.png"
e2e_click "$(mx 147)" "$(my 42)"
e2e_shot aligned-top
# Ctrl+Z takes the alignment back (the page looks as before it), then
# Format > Align top does it again.
e2e_focus "$MAIN"
e2e_key ctrl+z
e2e_shot align-undone
last_canvas "$E2E_TMP/canvas-align-undone.png"
n=$(pixels_differ "$E2E_TMP/canvas-unaligned.png" "$E2E_TMP/canvas-align-undone.png")
[ "$n" = 0 ] || e2e_fail "Ctrl+Z after Align top left page 0 changed in $n pixels"
e2e_click "$(mx 153)" "$(my 10)"       # Format
e2e_shot format-menu
e2e_click "$(mx 184)" "$(my 34)"       # Align top
e2e_shot aligned-top-again
last_canvas "$E2E_TMP/canvas-aligned-again.png"
n=$(pixels_differ "$E2E_TMP/canvas-unaligned.png" "$E2E_TMP/canvas-aligned-again.png")
[ "$n" -gt 1000 ] || e2e_fail "Format > Align top moved nothing ($n pixels changed)"

# Delete takes the map away in one step; Ctrl+Z brings it back, Ctrl+Y
# deletes it again, Ctrl+Z brings it back: page 0 looks as before each time.
e2e_log "layout: delete, undo, redo"
e2e_click "$(px 200)" "$(py 300)"      # empty canvas: nothing selected
e2e_shot before-delete
last_canvas "$E2E_TMP/canvas-before-delete.png"
e2e_click "$(px 170)" "$(py 180)"      # the map
e2e_focus "$MAIN"
e2e_key Delete
e2e_shot map-deleted
last_canvas "$E2E_TMP/canvas-deleted.png"
n=$(pixels_differ "$E2E_TMP/canvas-before-delete.png" "$E2E_TMP/canvas-deleted.png")
[ "$n" -gt 1000 ] || e2e_fail "Delete did not take the map away ($n pixels changed)"
check_canvas() { # expected-png shot-name what
    e2e_shot "$2"
    last_canvas "$E2E_TMP/canvas-$2.png"
    n=$(pixels_differ "$1" "$E2E_TMP/canvas-$2.png")
    [ "$n" = 0 ] || e2e_fail "$3 ($n pixels differ)"
}
e2e_key ctrl+z
check_canvas "$E2E_TMP/canvas-before-delete.png" delete-undone "Ctrl+Z did not bring the map back as it was"
e2e_key ctrl+y
check_canvas "$E2E_TMP/canvas-deleted.png" delete-redone "Ctrl+Y did not delete the map again"
e2e_key ctrl+z
check_canvas "$E2E_TMP/canvas-before-delete.png" delete-undone-again "the second Ctrl+Z did not bring the map back"

# Page names and a trigger, through the page properties dialog (double click
# on a thumbnail). The dialog has no parent: it opens in the screen's middle.
name_page() { # page name trigger-row(-1: none) shot-name
    local dlg
    e2e_click "$(thumb_x "$1")" "$(thumb_y "$1")"
    e2e_dblclick "$(thumb_x "$1")" "$(thumb_y "$1")"
    dlg=$(e2e_wait_window '^Page properties$' "double click on thumbnail $1")
    sleep 0.3
    e2e_geometry "$dlg"
    local dx=$WX dy=$WY
    e2e_focus "$dlg"
    e2e_click $((dx + 176)) $((dy + 32))           # the name
    e2e_key ctrl+a
    e2e_type "$2"
    if [ "$3" -ge 0 ]; then
        e2e_click $((dx + 38)) $((dy + 95 + 28 * $3))   # trigger check box
    fi
    e2e_shot "$4"
    e2e_click $((dx + 254)) $((dy + 295))          # OK
    e2e_wait_gone '^Page properties$' "OK did not close the page properties"
}
e2e_log "layout: page names and a trigger"
name_page 0 "Cruise" -1 page0-named
name_page 2 "Climb" 1 page2-named-thermal   # "Entering thermal"
e2e_click "$(thumb_x 0)" "$(thumb_y 0)"

# Ctrl+N on the modified layout asks first; Escape (Cancel) keeps it.
e2e_shot before-ctrl-n
last_canvas "$E2E_TMP/canvas-before-prompt.png"
e2e_focus "$MAIN"
e2e_key ctrl+n
PROMPT=$(e2e_wait_window '^R8designer$' "Ctrl+N on a modified layout did not ask")
sleep 0.3
e2e_shot modified-prompt
e2e_focus "$PROMPT"
e2e_key Escape
e2e_wait_gone '^R8designer$' "Escape did not cancel the prompt"
e2e_shot prompt-cancelled
last_canvas "$E2E_TMP/canvas-after-prompt.png"
n=$(pixels_differ "$E2E_TMP/canvas-before-prompt.png" "$E2E_TMP/canvas-after-prompt.png")
[ "$n" = 0 ] || e2e_fail "cancelling the prompt of Ctrl+N still changed page 0 ($n pixels)"

e2e_log "layout: save, new, reopen from the recent files"
LAYOUT="$E2E_TMP/layouts/session.zvl"
LAYOUT_TITLE="^session.zvl - Zarvin Designer\$" # file name, no modified mark
mkdir -p "$(dirname "$LAYOUT")"
e2e_focus "$MAIN"
e2e_key ctrl+s
SAVE_DLG=$(e2e_wait_window '^Save Layout$' "Ctrl+S on an unnamed layout")
sleep 0.5
e2e_focus "$SAVE_DLG"
e2e_key ctrl+a
e2e_type "$LAYOUT"
e2e_shot save-dialog
e2e_key Return
e2e_wait_gone '^Save Layout$' "the save dialog did not take the path"
for _ in $(seq 1 50); do [ -s "$LAYOUT" ] && break; sleep 0.1; done
[ -s "$LAYOUT" ] || e2e_fail "Ctrl+S wrote no $LAYOUT"
cp "$LAYOUT" "$E2E_OUT/session.zvl"
e2e_wait_window "$LAYOUT_TITLE" "the title names the saved file" >/dev/null
e2e_shot saved

# What the session did, as the file must hold it: the value box dropped at
# (10, 10) and dragged by (10, 15); the dial dropped at (10, 120), three
# steps right (the step down was undone); the map dropped at (110, 190) and
# aligned to the dial's top; the value box of page 2 at (60, 40).
"$TOOL" catalogue >"$E2E_TMP/catalogue.tsv" 2>/dev/null || e2e_fail "r8tool catalogue failed"
EXPECTED='{"objects": [[1, 20, 25, 1, "Altitude"], [53248, 13, 120, 1, "Vario"],
                       [57408, 110, 120, 1, null], [1, 60, 40, 4, "Speed"]],
           "pages": {"0": ["Cruise", 0], "2": ["Climb", 2]}}'
python3 "$ROOT/scripts/e2e/check_layout.py" "$LAYOUT" "$E2E_TMP/catalogue.tsv" "$EXPECTED" ||
    e2e_fail "the saved layout differs from the session's edits (file: $E2E_OUT/session.zvl)"
e2e_log "layout: the saved file holds every edit"

canvas_crop "$E2E_OUT/01-start.png" "$E2E_TMP/canvas-empty.png"
last_canvas "$E2E_TMP/canvas-saved.png"

e2e_focus "$MAIN"
e2e_key ctrl+n
e2e_wait_gone "$LAYOUT_TITLE" "Ctrl+N kept the file's title"
sleep 0.5
e2e_shot new-layout
last_canvas "$E2E_TMP/canvas-new.png"
n=$(pixels_differ "$E2E_TMP/canvas-empty.png" "$E2E_TMP/canvas-new.png")
[ "$n" = 0 ] || e2e_fail "after Ctrl+N page 0 is not empty ($n pixels differ from the start)"

# Only a load puts a file on the recent-file list (saving does not): open it
# once with Ctrl+O, start anew again, then take it from the File menu.
e2e_key ctrl+o
OPEN_DLG=$(e2e_wait_window '^Load Layout$' "Ctrl+O")
sleep 0.5
e2e_focus "$OPEN_DLG"
e2e_type "$LAYOUT"
e2e_shot open-dialog
e2e_key Return
e2e_wait_gone '^Load Layout$' "the open dialog did not take the path"
e2e_wait_window "$LAYOUT_TITLE" "Ctrl+O did not open the layout" >/dev/null
e2e_focus "$MAIN"
e2e_key ctrl+n
e2e_wait_gone "$LAYOUT_TITLE" "the second Ctrl+N kept the file's title"
sleep 0.3
# File menu; the recent file is its fifth entry.
e2e_click "$(mx 20)" "$(my 10)"
e2e_shot file-menu-recent
e2e_click "$(mx 55)" "$(my 136)"
e2e_wait_window "$LAYOUT_TITLE" "the recent-file entry did not open the layout" >/dev/null
sleep 0.5
e2e_shot reopened
last_canvas "$E2E_TMP/canvas-reopened.png"
n=$(pixels_differ "$E2E_TMP/canvas-saved.png" "$E2E_TMP/canvas-reopened.png")
[ "$n" = 0 ] || e2e_fail "the reopened page 0 differs from the saved one in $n pixels"

e2e_log "layout: send to the simulator"
"$TOOL" layout-batch "$LAYOUT" >"$E2E_TMP/layout-expected.txt" 2>"$E2E_TMP/layout-batch.err" ||
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
sleep 0.5
e2e_shot sending
for _ in $(seq 1 $((SEND_TIMEOUT * 10))); do
    grep -q '^PZVFLO,END' "$E2E_TMP/layout-sim.log" 2>/dev/null && break
    sleep 0.1
done
sleep 0.3
e2e_shot sent
sim_bodies "$E2E_TMP/layout-sim.log" >"$E2E_TMP/layout-received.txt"
cp "$E2E_TMP/layout-received.txt" "$E2E_OUT/layout-received.txt"
same_files "$E2E_TMP/layout-expected.txt" "$E2E_TMP/layout-received.txt" \
    "the simulator received other sentences than r8tool layout-batch prints"
e2e_log "layout: the simulator received the $(wc -l <"$E2E_TMP/layout-expected.txt") sentences of the saved file"


# ---- airspaces -----------------------------------------------------------------

e2e_log "airspace: two OpenAir files, one airspace unchecked, upload"
AIR_A="$OPENAIR_DIR/gdal_test.txt"
AIR_B="$OPENAIR_DIR/xcsoar_test_v2.txt"
AIR_DROPPED="Airspace2"   # the second airspace of the first file
for f in "$AIR_A" "$AIR_B"; do
    [ -r "$f" ] || e2e_fail "OpenAir file $f is missing (shared/ must lie beside the project)"
done
"$TOOL" airspace-batch "$AIR_A" "$AIR_B" >"$E2E_TMP/airspace-all.txt" 2>"$E2E_TMP/airspace-batch.err" ||
    e2e_fail "r8tool airspace-batch failed: $(cat "$E2E_TMP/airspace-batch.err")"
grep -q ",$AIR_DROPPED\$" "$E2E_TMP/airspace-all.txt" || e2e_fail "no airspace $AIR_DROPPED in $AIR_A"
# Without it: its "PZVCTD" line and its shape lines up to the next airspace.
awk -v name="$AIR_DROPPED" '/^PZVCT[DT],/ { skip = ($0 ~ ("," name "$")) } !skip' \
    "$E2E_TMP/airspace-all.txt" >"$E2E_TMP/airspace-expected.txt"
LOG_LINES=$(wc -l <"$E2E_TMP/layout-sim.log")

e2e_click "$(mx 206)" "$(my 10)"       # Tools
e2e_click "$(mx 245)" "$(my 34)"       # Airspaces
ASP=$(e2e_wait_window '^Airspaces$' "Tools > Airspaces")
sleep 0.3
e2e_geometry "$ASP"
AX=$WX AY=$WY
open_openair() { # path
    local dlg
    e2e_click $((AX + 66)) $((AY + 386))   # "Open file"
    dlg=$(e2e_wait_window '^Openair files$' "the airspace dialog's Open file")
    sleep 0.4
    e2e_focus "$dlg"
    e2e_type "$1"
    e2e_key Return
    e2e_wait_gone '^Openair files$' "the file dialog did not take $1"
    sleep 0.3
}
open_openair "$AIR_A"
open_openair "$AIR_B"
# Open the first file's branch; its rows (17 pixels each) are an airspace
# without a name, Airspace1, Airspace2, Airspace3.
e2e_click $((AX + 21)) $((AY + 50))
e2e_shot airspace-files
e2e_click $((AX + 61)) $((AY + 101))   # Airspace2's check box
e2e_shot airspace-unchecked
e2e_click $((AX + 177)) $((AY + 386))  # "Upload"
for _ in $(seq 1 $((SEND_TIMEOUT * 10))); do
    tail -n +$((LOG_LINES + 1)) "$E2E_TMP/layout-sim.log" | grep -q '^PZVCTT' && break
    sleep 0.1
done
sleep 0.3
e2e_shot airspace-sent
tail -n +$((LOG_LINES + 1)) "$E2E_TMP/layout-sim.log" | grep -v '^PZVSNP' >"$E2E_TMP/airspace-received.txt" || true
cp "$E2E_TMP/airspace-received.txt" "$E2E_OUT/airspace-received.txt"
same_files "$E2E_TMP/airspace-expected.txt" "$E2E_TMP/airspace-received.txt" \
    "the simulator received other airspace sentences than r8tool airspace-batch without $AIR_DROPPED"
e2e_log "airspace: the simulator received the $(wc -l <"$E2E_TMP/airspace-expected.txt") sentences expected"
sleep 2   # the progress dialog's closing notice
e2e_click $((AX + 457)) $((AY + 386))  # "Close"
e2e_wait_gone '^Airspaces$' "Close did not close the airspace dialog"


# ---- firmware --------------------------------------------------------------------

# ---- crash recovery ----------------------------------------------------------------

# One step right for the value box, then the designer is killed as hard as
# can be once its recovery copy is written (within 5 s of the change).
e2e_log "recovery: an edit, SIGKILL, restart, restore, save"
CONF="$XDG_CONFIG_HOME/Zarvin/R8designer.conf"
grep -q "recentFileList=.*session.zvl" "$CONF" || e2e_fail "the recent-file list is not in the settings store $CONF"
e2e_focus "$MAIN"
e2e_click "$(px 50)" "$(py 35)"        # the value box
e2e_key Right
e2e_shot before-kill
RECOVERY_DIR="$XDG_DATA_HOME/Zarvin/R8designer/recovery"
for _ in $(seq 1 50); do
    ls "$RECOVERY_DIR"/recovery-*.zvl >/dev/null 2>&1 && break
    sleep 0.1
done
ls "$RECOVERY_DIR"/recovery-*.zvl >/dev/null 2>&1 || e2e_fail "no recovery copy in $RECOVERY_DIR 5 s after an edit"
kill -KILL "$APP_PID" 2>/dev/null || true
wait "$APP_PID" 2>/dev/null || true
e2e_wait_gone 'Zarvin Designer$' "the killed designer's window stayed"

# The firmware tool takes the first instrument it finds: the designer starts
# again beside a simulator in firmware mode.

FW_IMAGE="$E2E_TMP/firmware/session.zvf"
FW_RECEIVED="$E2E_TMP/firmware/received.bin"
mkdir -p "$(dirname "$FW_IMAGE")"
FW_MADE=$("$TOOL" firmware-make --model Dulan --blocks 40 --seed 7 -o "$FW_IMAGE" 2>&1) ||
    e2e_fail "r8tool firmware-make failed: $FW_MADE"
FW_BODY_BYTES=$(echo "$FW_MADE" | sed -n 's/.* \([0-9][0-9]*\) body bytes$/\1/p')
[ -n "$FW_BODY_BYTES" ] || e2e_fail "r8tool firmware-make did not tell the body size: $FW_MADE"
"$TOOL" firmware-check "$FW_IMAGE" >"$E2E_TMP/firmware-check.txt" 2>&1 ||
    e2e_fail "r8tool firmware-check refuses the generated image: $(cat "$E2E_TMP/firmware-check.txt")"

start_sim firmware --product d905 --firmware "$FW_RECEIVED"
FW_SIM_PID=$SIM_PID
R8_EXTRA_PORTS="$SIM_PORTS" "$APP" >"$E2E_OUT/designer-2.log" 2>&1 &
APP_PID=$!
e2e_track "$APP_PID"
RECOVER=$(e2e_wait_window '^Recover Layout$' "the restarted designer did not offer the recovery copy")
sleep 0.3
e2e_shot recovery-offered
e2e_focus "$RECOVER"
e2e_key Return                         # "Restore", the default
e2e_wait_gone '^Recover Layout$' "Return did not restore"
# The layout's own name again, marked modified; Ctrl+S writes it there.
MAIN=$(e2e_wait_window '^session.zvl\* - Zarvin Designer$' "the restored layout is not the modified session.zvl")
sleep 0.5
e2e_shot restored
e2e_focus "$MAIN"
e2e_key ctrl+s
e2e_wait_window "$LAYOUT_TITLE" "Ctrl+S did not save the restored layout to its file" >/dev/null
EXPECTED_NUDGED=${EXPECTED/\[1, 20, 25,/[1, 21, 25,}
python3 "$ROOT/scripts/e2e/check_layout.py" "$LAYOUT" "$E2E_TMP/catalogue.tsv" "$EXPECTED_NUDGED" ||
    e2e_fail "the saved restored layout lacks the edit made before the kill"
ls "$RECOVERY_DIR"/recovery-*.zvl >/dev/null 2>&1 && e2e_fail "a recovery copy is left after the save"
e2e_log "recovery: the restored and saved file holds the edit made before SIGKILL"

e2e_log "firmware: the restarted designer beside a simulator in firmware mode"
e2e_geometry "$MAIN"
MX=$WX MY=$WY
e2e_click "$(mx 20)" "$(my 10)"
e2e_shot restarted-recent-files
e2e_key Escape

e2e_click "$(mx 206)" "$(my 10)"       # Tools
e2e_click "$(mx 245)" "$(my 59)"       # Firmware
FW=$(e2e_wait_window '^Firmware upload$' "Tools > Firmware")
sleep 0.3
e2e_geometry "$FW"
FX=$WX FY=$WY
e2e_focus "$FW"
e2e_click $((FX + 200)) $((FY + 51))   # the file name
e2e_key ctrl+a
e2e_type "$FW_IMAGE"
e2e_click $((FX + 300)) $((FY + 25))   # on the label: closes the path completer's list
e2e_shot firmware-file
e2e_click $((FX + 447)) $((FY + 156))  # "Send to Instrument"
for _ in $(seq 1 $((SEND_TIMEOUT * 10))); do
    kill -0 "$FW_SIM_PID" 2>/dev/null || break
    sleep 0.1
done
sleep 0.5
e2e_shot firmware-sent
kill -0 "$FW_SIM_PID" 2>/dev/null && e2e_fail "the firmware transfer did not end within $SEND_TIMEOUT s"
wait "$FW_SIM_PID" 2>/dev/null && FW_RC=0 || FW_RC=$?
[ "$FW_RC" = 0 ] || e2e_fail "the simulator ended the firmware transfer with code $FW_RC: $(tail -n 3 "$E2E_TMP/firmware.out")"
[ -f "$FW_RECEIVED" ] || e2e_fail "the simulator wrote no firmware body"
tail -c "$FW_BODY_BYTES" "$FW_IMAGE" >"$E2E_TMP/firmware-body.bin"
cmp -s "$E2E_TMP/firmware-body.bin" "$FW_RECEIVED" ||
    e2e_fail "the received firmware body differs from the image's ($(stat -c %s "$FW_RECEIVED") of $FW_BODY_BYTES bytes)"
e2e_log "firmware: the simulator received the $FW_BODY_BYTES body bytes unchanged"
e2e_click $((FX + 570)) $((FY + 156))  # "Close"
e2e_wait_gone '^Firmware upload$' "Close did not close the firmware dialog"

# A layout named on the command line (as the desktop entry passes it) opens
# at start.
e2e_log "command line: r8designer FILE.zvl"
kill "$APP_PID" 2>/dev/null || true
wait "$APP_PID" 2>/dev/null || true
e2e_wait_gone 'Zarvin Designer$' "the restarted designer did not end"
"$APP" "$LAYOUT" >"$E2E_OUT/designer-3.log" 2>&1 &
APP_PID=$!
e2e_track "$APP_PID"
e2e_wait_window "$LAYOUT_TITLE" "r8designer $LAYOUT did not open the layout" >/dev/null
sleep 0.5
e2e_shot opened-from-command-line

e2e_log "OK: layout, airspace, recovery and firmware sessions passed in $(($(date +%s) - START_TIME)) s (screenshots in $E2E_OUT)"
