# Shared helpers of the end-to-end session: an own X server, screenshots,
# and pointer and key gestures through xdotool. Source it from a script that
# has set E2E_NAME (used in messages) and E2E_OUT (screenshot folder).
#
# Every process started here is remembered and ended by e2e_cleanup.

E2E_STEP_TIMEOUT=${E2E_STEP_TIMEOUT:-20}   # seconds for any one wait
E2E_PIDS=()
E2E_STEP=0

e2e_log() { echo "$E2E_NAME: $*"; }

e2e_fail() {
    echo "$E2E_NAME: FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        import -window root "$E2E_OUT/failure.png" 2>/dev/null || true
        echo "$E2E_NAME: screen at the failure: $E2E_OUT/failure.png" >&2
        local w
        for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            echo "$E2E_NAME:   window $w: '$(xdotool getwindowname "$w" 2>/dev/null)'" >&2
        done
    fi
    exit 1
}

# Remembers a background process for the clean-up.
e2e_track() { E2E_PIDS+=("$1"); }

e2e_cleanup() {
    local i pid
    # Youngest first: the designers before the simulator, the X server last.
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${E2E_PIDS[i]}" 2>/dev/null || true
    done
    for pid in "${E2E_PIDS[@]}"; do
        e2e_poll 3 eval "! kill -0 $pid 2>/dev/null" || kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    E2E_PIDS=()
}

# Runs a command every 0.1 s until it succeeds, for at most SECONDS.
e2e_poll() { # seconds command...
    for _ in $(seq 1 $(($1 * 10))); do
        "${@:2}" && return 0
        sleep 0.1
    done
    return 1
}

# Starts Xvfb on a free display, which it tells when it is ready; exports DISPLAY.
e2e_start_x() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
    e2e_track $!
    e2e_poll 10 grep -q . "$E2E_TMP/display" || e2e_fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    export DISPLAY=":$(cat "$E2E_TMP/display")"
}

# A screenshot of the whole screen, numbered in session order.
e2e_shot() {
    E2E_STEP=$((E2E_STEP + 1))
    E2E_LAST_SHOT=$(printf '%s/%02d-%s.png' "$E2E_OUT" "$E2E_STEP" "$1")
    import -window root "$E2E_LAST_SHOT" 2>/dev/null || e2e_fail "screenshot $E2E_LAST_SHOT failed"
}

# Prints the id of the first visible window whose title matches REGEX.
# Titles are compared as xdotool getwindowname reports them: a search by
# name misses windows whose legacy title property differs (message boxes).
e2e_find_window() {
    local w name
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        name=$(xdotool getwindowname "$w" 2>/dev/null) || continue
        if [[ $name =~ $1 ]]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

e2e_no_window() { ! e2e_find_window "$1" >/dev/null; }

# Prints the id of the first visible window whose title matches REGEX,
# waiting for it.
e2e_wait_window() { # regex [what]
    e2e_poll "$E2E_STEP_TIMEOUT" e2e_find_window "$1" || e2e_fail "no window titled /$1/ appeared${2:+ ($2)}"
}

# Waits until no visible window's title matches REGEX.
e2e_wait_gone() { # regex [what]
    e2e_poll "$E2E_STEP_TIMEOUT" e2e_no_window "$1" || e2e_fail "the window /$1/ is still open${2:+ ($2)}"
}

# Sets WX WY WW WH to a window's place and size.
e2e_geometry() {
    local X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")"
    WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
}

# Moves the pointer and waits until it is there. (--sync alone would wait
# forever for a move to the place where the pointer already is.)
e2e_move() { # x y
    local X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell 2>/dev/null)"
    if [ "${X:-}" != "$1" ] || [ "${Y:-}" != "$2" ]; then
        xdotool mousemove --sync "$1" "$2"
    fi
}

e2e_click() { # x y [clicks]
    e2e_move "$1" "$2"
    sleep 0.1
    xdotool click --repeat "${3:-1}" --delay 80 1
    sleep 0.3
}

# Presses at (x1, y1), moves in steps to (x2, y2) and releases there.
e2e_drag() { # x1 y1 x2 y2
    local x1=$1 y1=$2 x2=$3 y2=$4 i steps=10
    e2e_move "$x1" "$y1"
    sleep 0.1
    xdotool mousedown 1
    sleep 0.1
    for i in $(seq 1 $steps); do
        e2e_move $((x1 + (x2 - x1) * i / steps)) $((y1 + (y2 - y1) * i / steps))
        sleep 0.03
    done
    sleep 0.1
    xdotool mouseup 1
    sleep 0.3
}

e2e_key() { # keys...
    xdotool key --delay 80 "$@"
    sleep 0.2
}

e2e_type() { # text
    xdotool type --delay 40 "$1"
    sleep 0.2
}

# Gives the keyboard focus to a window (there is no window manager).
e2e_focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.2
}

# Answers a file dialog titled TITLE with PATH.
e2e_file_dialog() { # title path [what]
    local dlg
    dlg=$(e2e_wait_window "$1" "$3")
    sleep 0.5
    e2e_focus "$dlg"
    e2e_key ctrl+a
    e2e_type "$2"
    e2e_key Return
    e2e_wait_gone "$1" "the file dialog did not take $2"
}

# Starts a session: an empty $E2E_OUT, a temporary folder $E2E_TMP removed
# at exit with every tracked process, a fresh settings store without the
# catalogue download (nothing waits on a network), and the X server.
e2e_begin() {
    rm -rf "$E2E_OUT"
    mkdir -p "$E2E_OUT"
    E2E_TMP="$(mktemp -d)"
    trap 'e2e_cleanup; rm -rf "$E2E_TMP"' EXIT
    trap 'exit 1' INT TERM
    export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/config" XDG_DATA_HOME="$E2E_TMP/data"
    export XDG_RUNTIME_DIR="$E2E_TMP/run" XDG_CACHE_HOME="$E2E_TMP/cache"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME/Zarvin" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME"
    chmod 700 "$XDG_RUNTIME_DIR"
    printf '[General]\nCatalogueUrl=\n' >"$XDG_CONFIG_HOME/Zarvin/R8designer.conf"
    unset QT_QPA_PLATFORM R8_EXTRA_PORTS
    e2e_start_x
    e2e_log "X server on $DISPLAY"
}
