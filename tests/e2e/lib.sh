# Shared helpers of the end-to-end tests. Sourced by run.sh; not run alone.
#
# One run owns: one temporary folder (E2E_TMP), one Xvfb on a display that
# the X server picked itself, and one Wine prefix under E2E_TMP. Every
# program the tests start runs in that prefix on that display, under a time
# limit, and e2e_teardown ends exactly those: `wineserver -k` for the prefix
# and the Xvfb by its process id. Nothing else on the machine is touched.
#
# Programs are started with their output going to files: Wine's helper
# processes inherit the standard handles of the process that starts them, and
# a pipe that a helper holds open would never reach end of file.

E2E_STEP_LIMIT=${E2E_STEP_LIMIT:-30}     # seconds for any one outside step
E2E_APP_LIMIT=${E2E_APP_LIMIT:-90}       # seconds a started program may live
E2E_WAIT_MS=${E2E_WAIT_MS:-15000}        # how long to wait for a window to appear

E2E_PASS=0
E2E_FAIL=0
E2E_ERRORS=0
E2E_TEST=""
E2E_XVFB_PID=""
E2E_TMP=""

declare -A APP_PID=()   # name -> process id of the started program's time limit wrapper
declare -A APP_DIR=()   # name -> its start folder
declare -A APP_WINDIR=() # name -> the start folder's Windows name
declare -A APP_RC=()    # name -> exit code once it has ended
declare -A APP_WPID=()  # name -> its Windows process id, once its main window was found

# ---------------------------------------------------------------- reporting

e2e_note() { printf '%s\n' "$*" >&2; }

# check_eq WHAT EXPECTED GOT
check_eq() {
    if [ "$2" == "$3" ]; then
        E2E_PASS=$((E2E_PASS + 1))
    else
        E2E_FAIL=$((E2E_FAIL + 1))
        printf 'FAIL %s: %s\n    expected: %s\n    got:      %s\n' "$E2E_TEST" "$1" "$2" "$3"
    fi
}

# check_ne WHAT UNWANTED GOT
check_ne() {
    if [ "$2" != "$3" ]; then
        E2E_PASS=$((E2E_PASS + 1))
    else
        E2E_FAIL=$((E2E_FAIL + 1))
        printf 'FAIL %s: %s\n    expected anything but: %s\n' "$E2E_TEST" "$1" "$2"
    fi
}

# check_bits WHAT VALUE MASK WANT: (VALUE & MASK) == WANT, numbers in any
# form bash understands (0x… included).
check_bits() {
    local got=$(( ${2:-0} & $3 ))
    if [ "$got" -eq $(( $4 )) ]; then
        E2E_PASS=$((E2E_PASS + 1))
    else
        E2E_FAIL=$((E2E_FAIL + 1))
        printf 'FAIL %s: %s\n    expected: (%s & %s) == %s\n    got:      %s\n' \
            "$E2E_TEST" "$1" "$2" "$3" "$4" "$(printf '0x%08x' "$got")"
    fi
}

# check_true WHAT COMMAND...: the command succeeds.
check_true() {
    local what=$1
    shift
    if "$@"; then
        E2E_PASS=$((E2E_PASS + 1))
    else
        E2E_FAIL=$((E2E_FAIL + 1))
        printf 'FAIL %s: %s\n    command failed: %s\n' "$E2E_TEST" "$what" "$*"
    fi
}

# check_false WHAT COMMAND...: the command fails.
check_false() {
    local what=$1
    shift
    if ! "$@"; then
        E2E_PASS=$((E2E_PASS + 1))
    else
        E2E_FAIL=$((E2E_FAIL + 1))
        printf 'FAIL %s: %s\n    command succeeded: %s\n' "$E2E_TEST" "$what" "$*"
    fi
}

# A test that cannot go on (a window that never appeared, a probe that
# failed) says why and returns 1; run.sh counts it as a test that could not
# run, which fails the run.
e2e_cannot() {
    printf 'ERROR %s: %s\n' "$E2E_TEST" "$*"
    return 1
}

# --------------------------------------------------------------- small tools

# kv KEY: the value of the first KEY=… line on standard input.
kv() { sed -n "s/^$1=//p" | head -n 1; }
quietly() { "$@" >/dev/null; }

# The CP932 bytes of a UTF-8 text, as lower-case hex (the probe's form).
cp932_hex() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -v -tx1 | tr -d ' \n'; }
utf8_hex() { printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'; }

# escaped TEXT: a text as the settings file's second keys hold it.
escaped() {
    python3 -c 'import sys; print("".join(chr(b) if 0x20 <= b < 0x7F and b != 0x25 else "%%%02X" % b
                                  for b in sys.argv[1].encode()))' "$1"
}

# The Windows name of a Unix folder: Wine maps / to drive Z:.
win_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

# A new empty start folder under the run's folder.
new_start_dir() {
    local dir
    dir=$(mktemp -d "$E2E_TMP/dirs/${1:-start}.XXXXXX") || return 1
    printf '%s\n' "$dir"
}

# -------------------------------------------------------------- the run

e2e_setup() {
    local build=$1
    E2E_EXE=$build/Skerrow.exe
    E2E_PROBE=$build/probe.exe
    E2E_SAMPLES=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../samples" && pwd)
    E2E_OUT=${E2E_OUT:-$build/e2e-out}
    [ -f "$E2E_EXE" ] || { e2e_note "e2e: no $E2E_EXE (build first)"; return 1; }
    [ -f "$E2E_PROBE" ] || { e2e_note "e2e: no $E2E_PROBE (build first)"; return 1; }
    local tool
    for tool in wine wineserver wineboot Xvfb xdotool import iconv od timeout; do
        command -v "$tool" >/dev/null || { e2e_note "e2e: $tool is missing (tools/setup.sh installs it)"; return 1; }
    done

    E2E_TMP=$(mktemp -d /tmp/skerrow-e2e.XXXXXX) || return 1
    mkdir -p "$E2E_TMP/dirs" "$E2E_TMP/log" "$E2E_OUT" || return 1
    rm -f "$E2E_OUT"/*.png

    # The X server chooses a free display itself and writes its number to
    # the descriptor once it accepts connections; no guessing, no race with
    # other servers on this machine.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$E2E_TMP/display" >"$E2E_TMP/log/xvfb.log" 2>&1 </dev/null &
    E2E_XVFB_PID=$!
    local i
    for i in $(seq 100); do
        [ -s "$E2E_TMP/display" ] && grep -q '^[0-9]' "$E2E_TMP/display" && break
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    local display_number
    display_number=$(head -n 1 "$E2E_TMP/display" 2>/dev/null | tr -dc '0-9')
    if [ -z "$display_number" ]; then
        e2e_note "e2e: Xvfb did not start:"
        cat "$E2E_TMP/log/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=:$display_number

    export WINEPREFIX=$E2E_TMP/prefix
    export WINEARCH=win32
    # No Mono or Gecko installs, and no menu entries written into $HOME.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEDEBUG=-all
    # The ANSI code page (932) is taken from the locale at each process start;
    # E2E_LOCALE and E2E_ACP run the tests on another (C.UTF-8: 1252).
    export LANG=${E2E_LOCALE:-ja_JP.UTF-8} LC_ALL=${E2E_LOCALE:-ja_JP.UTF-8}

    # A persistent server started first, with its output in a file, so that
    # no later step's pipe is held open by it and each step starts fast.
    timeout "$E2E_STEP_LIMIT" wineserver -p >"$E2E_TMP/log/wineserver.log" 2>&1 </dev/null
    timeout 120 wineboot -i >"$E2E_TMP/log/wineboot.log" 2>&1 </dev/null || {
        e2e_note "e2e: wineboot failed"; cat "$E2E_TMP/log/wineboot.log" >&2; return 1; }
    # Without a window manager every hide of a top-level window would wait
    # 2 s for X to confirm it; unmanaged windows do not wait.
    timeout "$E2E_STEP_LIMIT" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >"$E2E_TMP/log/reg.log" 2>&1 </dev/null || { e2e_note "e2e: reg add failed"; return 1; }
    # The desktop process (explorer, which also draws the notification area)
    # started during wineboot and read the setting before it was made: end
    # the prefix's processes so that the next start reads it. Otherwise each
    # removal of a tray icon costs 2 s.
    timeout "$E2E_STEP_LIMIT" wineserver -k >/dev/null 2>&1 </dev/null
    timeout "$E2E_STEP_LIMIT" wineserver -w >/dev/null 2>&1 </dev/null
    timeout "$E2E_STEP_LIMIT" wineserver -p >>"$E2E_TMP/log/wineserver.log" 2>&1 </dev/null

    local acp
    acp=$(probe acp | kv acp)
    [ "$acp" = "${E2E_ACP:-932}" ] ||
        { e2e_note "e2e: the prefix runs with ANSI code page '$acp', not ${E2E_ACP:-932} (is $LANG generated?)"; return 1; }
    return 0
}

e2e_teardown() {
    app_stop_all
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        timeout "$E2E_STEP_LIMIT" wineserver -k >/dev/null 2>&1 </dev/null
        timeout "$E2E_STEP_LIMIT" wineserver -w >/dev/null 2>&1 </dev/null
    fi
    if [ -n "$E2E_XVFB_PID" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
        E2E_XVFB_PID=""
    fi
    if [ -n "$E2E_TMP" ] && [ -d "$E2E_TMP" ] && [ -z "${E2E_KEEP:-}" ]; then
        rm -rf "$E2E_TMP"
    fi
}

# --------------------------------------------------------------- the probe

# probe ARGS…: runs probe.exe in the prefix; prints its lines; returns its
# status (124 when it ran out of time).
probe() {
    local out=$E2E_TMP/log/probe.out
    timeout "$E2E_STEP_LIMIT" wine "$E2E_PROBE" "$@" >"$out" 2>"$E2E_TMP/log/probe.err" </dev/null
    local rc=$?
    cat "$out"
    return $rc
}

# ------------------------------------------------------------ the program

# app_start NAME DIR [WINDIR]: starts Skerrow.exe with DIR as its current
# folder, in the background, under a time limit. WINDIR is the folder's
# Windows name when it is not on drive Z: (a mapped drive). The program is
# run from the build folder, not copied, so that the start folder is nothing
# but the current folder.
app_start() {
    local name=$1 dir=$2
    APP_WINDIR[$name]=${3:-$(win_path "$dir")}
    ( cd "$dir" && exec timeout "$E2E_APP_LIMIT" wine "$E2E_EXE" \
        >"$E2E_TMP/log/$name.out" 2>"$E2E_TMP/log/$name.err" </dev/null ) &
    APP_PID[$name]=$!
    APP_DIR[$name]=$dir
    unset "APP_RC[$name]" "APP_WPID[$name]"
}

app_running() { [ -n "${APP_PID[$1]:-}" ] && kill -0 "${APP_PID[$1]}" 2>/dev/null; }

# Whether any program that the tests started still runs.
any_app_running() {
    local name
    for name in "${!APP_PID[@]}"; do app_running "$name" && return 0; done
    return 1
}

# app_wait_exit NAME SECONDS: waits for the program to end; sets APP_RC and
# returns 0 when it ended, 1 when it still runs after SECONDS.
app_wait_exit() {
    local name=$1 limit=${2:-$E2E_STEP_LIMIT}
    local pid=${APP_PID[$name]:-}
    [ -n "$pid" ] || return 1
    local end=$((SECONDS + limit))
    while kill -0 "$pid" 2>/dev/null; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.1
    done
    wait "$pid" 2>/dev/null
    APP_RC[$name]=$?
    unset "APP_PID[$name]"
    return 0
}

# Ends a program that a test left running (its time-limit wrapper passes the
# signal on to Wine's process).
app_stop() {
    local name=$1 pid=${APP_PID[$1]:-}
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null
    app_wait_exit "$name" 10 || { kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
    unset "APP_PID[$name]"
}

app_stop_all() {
    local name
    for name in "${!APP_PID[@]}"; do app_stop "$name"; done
}

# app_window NAME [COUNT]: waits for the program's main window (found by class
# and by the current folder of its process) and prints its handle.
app_window() {
    local name=$1
    probe find Skerrow --cwd "${APP_WINDIR[$name]:-}" --timeout "$E2E_WAIT_MS" | kv hwnd
}

# main_shown NAME: sets MAIN to program NAME's window once the window shows.
# The window is first shown when the start is over, a restore included
# (only a restore that lasts shows it earlier, with its progress; the tests
# restore small texts). Keys typed before would reach no window, or a
# restore that drops them.
main_shown() {
    MAIN=$(app_window "$1")
    [ -n "$MAIN" ] || { e2e_cannot "no Skerrow window for start folder ${APP_DIR[$1]}"; return 1; }
    APP_WPID[$1]=$(probe info "$MAIN" | kv pid)
    [ "$(probe wait "$MAIN" visible "$E2E_WAIT_MS")" = state=visible ] ||
        { e2e_cannot "the Skerrow window of ${APP_DIR[$1]} never showed"; return 1; }
}

# windows_of_dir DIR [WINDIR]: how many Skerrow windows belong to processes
# started from DIR, right now.
windows_of_dir() {
    probe find Skerrow --cwd "${2:-$(win_path "$1")}" | kv count
}

# msgbox_of NAME: waits for a message box of the program (by its folder) and
# prints the probe's description of it.
msgbox_of() {
    probe msgbox $(owner_filter "$1") --timeout "$E2E_WAIT_MS"
}

# owner_filter NAME: the probe option that picks program NAME's windows: its
# process once its main window was seen (the open dialog moves a process's
# current folder), its start folder before that.
owner_filter() {
    if [ -n "${APP_WPID[$1]:-}" ]; then
        printf -- '--pid %s' "${APP_WPID[$1]}"
    else
        printf -- '--cwd %s' "${APP_WINDIR[$1]:-}"
    fi
}

# idle: returns once the main window has answered a message sent to it
# (see the probe's idle command).
idle() { probe idle "$MAIN" $(((E2E_STEP_LIMIT - 5) * 1000)) >/dev/null; }

# ---------------------------------------------------------------- waiting

# wait_for COMMAND...: runs the command until it succeeds, for at most
# E2E_STEP_LIMIT seconds; fails when it never did. A step that waits on the
# program waits this way for something it can see, never for a time.
wait_for() {
    local end=$((SECONDS + E2E_STEP_LIMIT))
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

# wait_value WANT COMMAND...: the command's output once it is WANT, or the
# last one after E2E_STEP_LIMIT seconds, for check_eq to show.
wait_value() {
    local want=$1 got end=$((SECONDS + E2E_STEP_LIMIT))
    shift
    while got=$("$@"); [ "$got" != "$want" ] && [ $SECONDS -lt $end ]; do sleep 0.1; done
    printf '%s\n' "$got"
}

# wait_line DIR N: the line the settings file in DIR gives (BackNo), once it
# is N. The program stores the line shown 2 s after a step (sooner at Esc,
# a command or a box), so this is also how a test learns that a key, a
# typed number's pause or a find has taken effect.
wait_line() { wait_value "$2" ini_get "$1/Skerrow.ini" BACKUP BackNo; }

# names_text FILE WINPATH: the settings file names WINPATH as the text open:
# in BackFile, or, for a name that code page 932 cannot spell, whole in
# BackFileUtf8.
names_text() {
    [ "$(ini_get "$1" BACKUP BackFileUtf8)" = "$(escaped "$2")" ] ||
        [ "$(ini_get "$1" BACKUP BackFile | iconv -f CP932 -t UTF-8 2>/dev/null)" = "$2" ]
}

# wait_opened NAME WINPATH: returns once program NAME has opened WINPATH. The
# settings file names a text from the moment its new copy is in place; from
# there on an open dispatches no message but through its dat question, so
# once the window has answered one, the open is over or asks that question.
# Keys that arrive while an open runs are dropped: no test types earlier.
wait_opened() {
    wait_for names_text "${APP_DIR[$1]}/Skerrow.ini" "$2" || { e2e_cannot "$2 was never opened"; return 1; }
    idle
}

# wait_rect HWND WANT: the window's rectangle once it is WANT, or the last
# one seen.
rect_of() { probe info "$1" | kv rect; }
wait_rect() { wait_value "$2" rect_of "$1"; }

# show_again: the hidden main window shown as a left click on its
# notification-area icon shows it; back once it shows.
show_again() {
    probe post "$MAIN" 3177 5999 0x0201 >/dev/null  # WM_TRAYNOTIFY, the icon's id, WM_LBUTTONDOWN
    [ "$(probe wait "$MAIN" visible "$E2E_WAIT_MS")" = state=visible ] ||
        { e2e_cannot "the window did not show again"; return 1; }
}

# start_notepad: Wine's notepad started in the tests' prefix (a program
# the tests stop like their own), its window in NOTEPAD and its X window in
# NOTEPAD_XID, given the X focus. Hot keys reach Skerrow only while a
# window of its prefix has the focus.
start_notepad() {
    ( exec timeout "$E2E_APP_LIMIT" wine notepad >"$E2E_TMP/log/notepad.out" 2>&1 </dev/null ) &
    APP_PID[notepad]=$!
    NOTEPAD=$(probe find Notepad --timeout "$E2E_WAIT_MS" | kv hwnd)
    [ -n "$NOTEPAD" ] || { e2e_cannot "Wine's notepad showed no window"; return 1; }
    NOTEPAD_XID=$(($(probe info "$NOTEPAD" | kv xid)))
    timeout "$E2E_STEP_LIMIT" xdotool windowfocus --sync "$NOTEPAD_XID" >>"$E2E_TMP/log/xdotool.log" 2>&1 ||
        { e2e_cannot "notepad did not take the focus"; return 1; }
}

# stop_notepad: closes the notepad start_notepad started.
stop_notepad() { probe close "$NOTEPAD" >/dev/null && app_wait_exit notepad; }

# ------------------------------------------------------------------ X input

# x_key XID KEY…: gives the X window the keyboard focus, then types. With no
# window manager `windowactivate` fails, but `windowfocus --sync` works.
x_key() {
    local xid=$1
    shift
    timeout "$E2E_STEP_LIMIT" xdotool windowfocus --sync "$xid" key --delay 50 "$@" \
        >>"$E2E_TMP/log/xdotool.log" 2>&1 </dev/null
}

# x_key_hide XID KEYS...: the keys, then Esc; back once the window is hidden,
# that is once Esc has stored the place (the settings file is rewritten key by
# key meanwhile, so reading it earlier may find it half written).
x_key_hide() {
    x_key "$@" Escape
    [ "$(probe wait "$MAIN" hidden "$E2E_WAIT_MS")" = state=hidden ] || e2e_cannot "Esc did not hide the window"
}

# set_text DIALOG ID TEXT: TEXT put into control ID of DIALOG through the
# probe (WM_SETTEXT), in any script. A control that does not then hold it
# whole stops the test: nothing may go on with a wrong text.
set_text() {
    probe settext "$1" "$2" "$(utf8_hex "$3")" >/dev/null && return 0
    local held
    held=$(probe text "$1" "$2" | kv utf8 | sed 's/../\\x&/g')
    e2e_cannot "control $2 does not hold '$3' but '$(printf '%b' "$held")'"
}

# x_click X Y: a left click at a screen position.
x_click() {
    timeout "$E2E_STEP_LIMIT" xdotool mousemove --sync "$1" "$2" click 1 \
        >>"$E2E_TMP/log/xdotool.log" 2>&1 </dev/null
}

# x_click_button BOX_DESCRIPTION ID: a left click in the middle of a button
# of a message box, its place taken from the probe's description of the box.
x_click_button() {
    local rect
    rect=$(sed -n "s/^buttonrect=$2 //p" <<<"$1" | head -n 1)
    [ -n "$rect" ] || return 1
    local l t r b
    read -r l t r b <<<"$rect"
    x_click $(((l + r) / 2)) $(((t + b) / 2))
}

# screenshot FILE HWND: the screen area of a window, into the output folder.
screenshot() {
    local file=$1 hwnd=$2 info
    info=$(probe info "$hwnd") || return 1
    local x y w h
    x=$(kv x <<<"$info"); y=$(kv y <<<"$info")
    w=$(kv width <<<"$info"); h=$(kv height <<<"$info")
    timeout "$E2E_STEP_LIMIT" import -window root -crop "${w}x${h}+${x}+${y}" +repage \
        "$E2E_OUT/$file" >>"$E2E_TMP/log/import.log" 2>&1 </dev/null
}

# ------------------------------------------------------------------ files

# write_ini DIR LINES…: a Skerrow.ini made of the given lines, CR LF ended as
# Windows editors write it.
write_ini() {
    local dir=$1
    shift
    printf '%s\r\n' "$@" >"$dir/Skerrow.ini"
}

# ini_text FILE: the settings file's text. The program rewrites the whole
# file for each key it writes, from a handler of its window, so while a
# program of the tests runs, the file is read once the window has answered
# a message: no write is half done then.
ini_text() {
    if [ -n "${MAIN:-}" ] && any_app_running; then idle; fi
    tr -d '\r' <"$1" 2>/dev/null
}

# ini_get FILE SECTION KEY: a value of an INI file (sections and keys compared
# without regard to case, as the private-profile functions do).
ini_get() {
    ini_text "$1" | awk -v s="$2" -v k="$3" '
        /^\[/ { cur = tolower(substr($0, 2, index($0, "]") - 2)); next }
        cur == tolower(s) {
            i = index($0, "=")
            if (i && tolower(substr($0, 1, i - 1)) == tolower(k)) { print substr($0, i + 1); exit }
        }'
}

# ini_lines FILE: the file's lines as "[SECTION] KEY=VALUE" (comments and
# blank lines left out), in file order.
ini_lines() {
    ini_text "$1" | awk '
        /^\[/ { cur = $0; next }
        /^[ \t]*($|;)/ { next }
        { print cur " " $0 }'
}
