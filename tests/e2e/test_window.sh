# The window's look and its doors, seen from outside: the pixels of the real
# window under Xvfb (background, text, grip, border, wrapping, clipping), the
# mouse through X (dragging by the body, sizing from the grip), and the
# notification-area icon, the global hot keys and the two menus.
#
# Sourced by run.sh; start_main and close_and_wait come from test_shell.sh.
#
# What Wine 8 cannot show or does differently, and how each test goes round
# it (each place says so again where it matters):
# - Items of another process's menu cannot be read: Wine keeps a menu in the
#   memory of the process that made it, so the menu functions fail in the
#   probe on the handle that MN_GETHMENU gives out. Grayed items are told from
#   enabled ones by the colour of their text on a screenshot instead.
# - The work area is the whole screen (no taskbar), so "not past the work
#   area" and "not past the screen" cannot be told apart.
# - There are no X key grabs: a global hot key fires only while some window
#   of the same prefix has the X focus (here Wine's own tray window).
# - With no X tray host, Wine draws the icons in a window of its own; the
#   icon is clicked there, not in a taskbar.
# - The mouse capture does not hold the X pointer: a move off the program's
#   X windows reaches no Wine window, so the window does not see it.
#   ClipCursor does hold it (Wine grabs the X pointer), and an X warp of the
#   pointer arrives as a mouse move.
# - No mouse message follows the release of the capture (Wine drops a mouse
#   event that does not move): a grip disarmed by a move off it is armed
#   again only by the next real move onto it.
# - Opacity is not seen on screen (no compositor); the pixel tests use an
#   opaque window.

WIN_TRAY_ICON_ID=5999
# Colours unlike anything Wine draws by itself: an orange background and a
# purple text. COLORREF is 0x00BBGGRR.
WIN_BACK=$(( (51 << 16) | (153 << 8) | 255 ))   # RGB(255, 153, 51)
WIN_FORE=$(( (128 << 16) | (0 << 8) | 128 ))   # RGB(128, 0, 128)
WIN_TABS=8                                       # not the default, so that it shows

# The texts of the pixel tests, in code page 932 as a user's file would be.
# The first line has a tab after two characters, whose stop moves with
# TabsCol; the second is long enough to wrap into more rows than a small
# window holds.
WIN_SHORT_LINE=$'ab\tcd 一行ずつ表示'
WIN_LONG_LINE='Skerrow shows one line of a text at a time; this line is long enough to wrap at word breaks into several rows, and the rows that fall below the window are cut off.'
# One word longer than a row: with no break in it, it runs on to the text
# rectangle's right edge and is cut there, so the rectangle's right edge
# shows to the pixel.
WIN_WORD_LINE=$(printf 'il%.0s' $(seq 150))

# hex_rgb COLORREF: the colour as RRGGBB, as ImageMagick prints it.
hex_rgb() { printf '%02X%02X%02X' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)); }

# grab_client OUT HWND: a screenshot of the window's client area (PNG).
grab_client() {
    local c
    c=$(probe client "$2" | kv client) || return 1
    local l t r b
    read -r l t r b <<<"$c"
    [ -n "$b" ] && [ "$r" -gt "$l" ] && [ "$b" -gt "$t" ] || return 1
    timeout "$E2E_STEP_LIMIT" import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$1" \
        >>"$E2E_TMP/log/import.log" 2>&1 </dev/null
}

# grab_rect OUT "L T R B": a screenshot of a screen rectangle (PNG).
grab_rect() {
    local l t r b
    read -r l t r b <<<"$2"
    timeout "$E2E_STEP_LIMIT" import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$1" \
        >>"$E2E_TMP/log/import.log" 2>&1 </dev/null
}

# pixels PNG: one line "X Y RRGGBB" per pixel.
pixels() {
    convert "$1" -type TrueColor -depth 8 txt:- 2>/dev/null | awk '
        NR > 1 { split($1, p, /[,:]/); h = $3; sub(/^#/, "", h); print p[1], p[2], substr(h, 1, 6) }'
}

# pixels_report PNG BACK FORE: what a picture of the client area holds, in
# the terms of the window's look. The text is drawn in the rectangle (1, 1,
# width - 10, height + 1); the grip is three 45-degree black strokes of 9, 5
# and 2 pixels, for d = 10, 6, 3 the pixels (width - t, height - d + t),
# t = 1 … d - 1. Everything else must be the background.
#   grip_black   how many of the 16 stroke pixels are black
#   stray        pixels outside the text rectangle and the strokes that are
#                not the background (first_stray names one)
#   fore_in      pixels of the font colour inside the text rectangle
#   fore_out     pixels of the font colour outside it
#   fore_right   pixels of the font colour in the 10 columns on the right
#   rows         the rows (y) that hold the font colour, as "first-last"
#   right        the rightmost column (x) that holds the font colour
pixels_report() {
    local png=$1 back fore w h
    back=$(hex_rgb "$2"); fore=$(hex_rgb "$3")
    w=$(identify -format '%w' "$png"); h=$(identify -format '%h' "$png")
    pixels "$png" | awk -v W="$w" -v H="$h" -v back="$back" -v fore="$fore" '
        BEGIN {
            split("10 6 3", ds, " ")
            for (i = 1; i <= 3; i++) for (t = 1; t < ds[i]; t++) grip[(W - t) " " (H - ds[i] + t)] = 1
        }
        {
            x = $1; y = $2; c = $3
            in_text = x >= 1 && x < W - 10 && y >= 1
            if ((x " " y) in grip) { if (c == "000000") grip_black++; next }
            if (c == fore) {
                if (in_text) fore_in++; else fore_out++
                if (x >= W - 10) fore_right++
                if (first_row == "" || y < first_row) first_row = y
                if (y > last_row) last_row = y
                if (x > right) right = x
            }
            if (!in_text && c != back) { stray++; if (first_stray == "") first_stray = x "," y ":" c }
        }
        END {
            printf "grip_black=%d\nstray=%d\nfirst_stray=%s\nfore_in=%d\nfore_out=%d\nfore_right=%d\n",
                grip_black, stray, first_stray, fore_in, fore_out, fore_right
            printf "rows=%s-%s\nright=%d\n", first_row, last_row, right
        }'
}

# differing_pixels A B W H: how many pixels differ between the top-left W x H
# areas of two pictures.
differing_pixels() {
    local a=$E2E_TMP/cmp-a.png b=$E2E_TMP/cmp-b.png
    convert "$1" -crop "$3x$4+0+0" +repage -type TrueColor "$a" 2>/dev/null || { echo error; return; }
    convert "$2" -crop "$3x$4+0+0" +repage -type TrueColor "$b" 2>/dev/null || { echo error; return; }
    compare -metric AE "$a" "$b" null: 2>&1
}

# render W H TABS TEXT-FILE OUT: the probe draws the text as the window
# draws its line (same font record, text rectangle, DrawTextExA format and
# tab length, in this prefix, so with the same substituted font).
render() {
    probe render "$1" "$2" "$WIN_BACK" "$WIN_FORE" "$3" "$(win_path "$4")" "$(win_path "$5")" \
        >"$E2E_TMP/log/render.out"
}

# client_like OUT HWND REFERENCE W H: a screenshot of the client area into
# OUT, and whether its top-left W x H pixels equal the reference.
client_like() { grab_client "$1" "$2" && [ "$(differing_pixels "$1" "$3" "$4" "$5")" = 0 ]; }

# wait_client_like OUT HWND REFERENCE W H: takes screenshots of the client
# area until it is like the reference (the window has repainted); leaves the
# last screenshot in OUT.
wait_client_like() { wait_for client_like "$@"; }

# write_cp932 FILE TEXT…: the texts as lines in code page 932, CR LF ended.
write_cp932() {
    local file=$1
    shift
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$file"
}

test_window_pixels_with_border() {
    local dir texts
    dir=$(new_start_dir look) || return 1
    texts=$(new_start_dir looktexts) || return 1
    write_cp932 "$texts/lines.txt" "$WIN_SHORT_LINE" "$WIN_LONG_LINE" "$WIN_WORD_LINE"
    # The bytes the window shows for each line: the line with its line end.
    head -n 1 "$texts/lines.txt" >"$E2E_TMP/short.txt"
    sed -n 2p "$texts/lines.txt" >"$E2E_TMP/long.txt"
    sed -n 3p "$texts/lines.txt" >"$E2E_TMP/word.txt"
    write_ini "$dir" '[WINDOW]' 'X=100' 'Y=120' 'WIDTH=300' 'HEIGHT=40' \
        '[OPTION]' 'BorderFlg=1' "TabsCol=$WIN_TABS" \
        '[FONT]' "BackColor=$WIN_BACK" "FontColor=$WIN_FORE"
    start_main a "$dir" || return 1
    open_through_dialog a "$(win_path "$texts/lines.txt")" || return 1

    # With the border the client area is 2 pixels narrower and lower.
    local cw ch
    cw=$(probe client "$MAIN" | kv cwidth); ch=$(probe client "$MAIN" | kv cheight)
    check_eq "client area inside the 1-pixel border" "298 38" "$cw $ch"

    render "$cw" "$ch" "$WIN_TABS" "$E2E_TMP/short.txt" "$E2E_TMP/short.bmp" ||
        { e2e_cannot "probe render failed: $(cat "$E2E_TMP/log/render.out")"; return 1; }
    local client=$E2E_OUT/window-short-client.png
    check_true "the window shows the short line as the reference drawing has it (left of the grip column)" \
        wait_client_like "$client" "$MAIN" "$E2E_TMP/short.bmp" $((cw - 10)) "$ch"
    # The whole window: a frame of one colour, one pixel wide, that is not
    # the background; the client area inside it (checked below) starts with
    # background pixels, so the frame is no wider.
    local whole=$E2E_OUT/window-short.png
    grab_rect "$whole" "$(probe info "$MAIN" | kv rect)"
    local frame
    frame=$(pixels "$whole" | awk -v W=300 -v H=40 '
        $1 == 0 || $2 == 0 || $1 == W - 1 || $2 == H - 1 { seen[$3] = 1 }
        END { for (c in seen) n++; for (c in seen) print n, c }' | head -n 1)
    check_eq "the frame is one colour" 1 "${frame%% *}"
    check_ne "the frame is not the background" "$(hex_rgb "$WIN_BACK")" "${frame#* }"

    local report
    report=$(pixels_report "$client" "$WIN_BACK" "$WIN_FORE")
    check_eq "grip: the 16 pixels of the strokes of 9, 5 and 2 pixels are black" 16 "$(kv grip_black <<<"$report")"
    check_eq "only background outside the text rectangle and the grip (first other: $(kv first_stray <<<"$report"))" \
        0 "$(kv stray <<<"$report")"
    check_ne "text drawn in the font colour" 0 "$(kv fore_in <<<"$report")"
    check_eq "no font colour outside the text rectangle" 0 "$(kv fore_out <<<"$report")"
    check_eq "no font colour in the 10 columns of the grip" 0 "$(kv fore_right <<<"$report")"
    # The tab stop follows TabsCol: drawn with a tab of 4 characters the same
    # line looks different, so the comparison above did see the tab.
    render "$cw" "$ch" 4 "$E2E_TMP/short.txt" "$E2E_TMP/short-tab4.bmp"
    check_ne "the line drawn with another tab length differs" 0 \
        "$(differing_pixels "$client" "$E2E_TMP/short-tab4.bmp" $((cw - 10)) "$ch")"

    # The long line: it wraps at word breaks inside the text rectangle into
    # more rows than the window has, so its first piece shows the rows that
    # fit whole (two of 14 pixels), as the same text drawn on a taller area
    # has them, nothing below them, and the mark beside them.
    x_key "$(probe info "$MAIN" | kv xid)" Down
    render "$cw" 200 "$WIN_TABS" "$E2E_TMP/long.txt" "$E2E_TMP/long-tall.bmp"
    check_true "the window shows the top rows of the wrapped long line" \
        wait_client_like "$E2E_OUT/window-long-client.png" "$MAIN" "$E2E_TMP/long-tall.bmp" $((cw - 10)) 29
    report=$(pixels_report "$E2E_OUT/window-long-client.png" "$WIN_BACK" "$WIN_FORE")
    local rows=$(kv rows <<<"$report")
    check_true "wrapped: text on a second row and none below it (font colour in rows $rows)" \
        test "${rows#*-}" -ge 15 -a "${rows#*-}" -le 28
    check_ne "the mark beside a piece that more follows" 0 "$(kv fore_right <<<"$report")"
    check_eq "no font colour outside the text rectangle but the mark" "$(kv fore_right <<<"$report")" \
        "$(kv fore_out <<<"$report")"
    check_eq "grip intact over the wrapped text" 16 "$(kv grip_black <<<"$report")"
    local below
    below=$(convert "$E2E_TMP/long-tall.bmp" -crop "$((cw - 10))x$((200 - ch))+0+$ch" +repage \
        -type TrueColor -depth 8 txt:- 2>/dev/null | grep -ci "#$(hex_rgb "$WIN_FORE")")
    check_ne "the long line has rows below the window that were cut off" 0 "$below"

    # The long word (line 3, typed): one row, drawn up to the text
    # rectangle's right edge and cut there, not one pixel of it in the
    # grip's 10 columns.
    x_key "$(probe info "$MAIN" | kv xid)" 3
    render "$cw" "$ch" "$WIN_TABS" "$E2E_TMP/word.txt" "$E2E_TMP/word.bmp"
    check_true "the long word is cut where the text rectangle ends" \
        wait_client_like "$E2E_OUT/window-word-client.png" "$MAIN" "$E2E_TMP/word.bmp" $((cw - 10)) "$ch"
    report=$(pixels_report "$E2E_OUT/window-word-client.png" "$WIN_BACK" "$WIN_FORE")
    check_true "the long word reaches the grip column's edge (text up to x=$(kv right <<<"$report"))" \
        test "$(kv right <<<"$report")" -ge $((cw - 10 - 8))
    check_eq "no font colour in the grip column beside the long word" 0 "$(kv fore_right <<<"$report")"
    check_eq "grip intact beside the long word" 16 "$(kv grip_black <<<"$report")"
    check_true "closes" close_and_wait a "$MAIN"
}

test_window_pixels_without_border() {
    local dir texts
    dir=$(new_start_dir flat) || return 1
    texts=$(new_start_dir flattexts) || return 1
    write_cp932 "$texts/long.txt" "$WIN_LONG_LINE"
    cp "$texts/long.txt" "$E2E_TMP/flat-long.txt"
    write_ini "$dir" '[WINDOW]' 'X=100' 'Y=120' 'WIDTH=200' 'HEIGHT=20' \
        '[OPTION]' 'BorderFlg=0' "TabsCol=$WIN_TABS" \
        '[FONT]' "BackColor=$WIN_BACK" "FontColor=$WIN_FORE"
    start_main a "$dir" || return 1

    # No border: the client area is the whole window.
    check_eq "client area fills the window" "100 120 300 140" "$(probe client "$MAIN" | kv client)"
    check_eq "window rectangle" "100 120 300 140" "$(probe info "$MAIN" | kv rect)"

    # Nothing open: an empty line paints the background and the grip only.
    : >"$E2E_TMP/empty.txt"
    render 200 20 "$WIN_TABS" "$E2E_TMP/empty.txt" "$E2E_TMP/empty.bmp" ||
        { e2e_cannot "probe render failed: $(cat "$E2E_TMP/log/render.out")"; return 1; }
    check_true "the empty window is painted" \
        wait_client_like "$E2E_OUT/window-empty.png" "$MAIN" "$E2E_TMP/empty.bmp" 190 20
    local report
    report=$(pixels_report "$E2E_OUT/window-empty.png" "$WIN_BACK" "$WIN_FORE")
    check_eq "empty: the grip strokes are black, in the window's own corner" 16 "$(kv grip_black <<<"$report")"
    check_eq "empty: only background besides the grip, edges included (first other: $(kv first_stray <<<"$report"))" \
        0 "$(kv stray <<<"$report")"
    check_eq "empty: no text" 0 "$(( $(kv fore_in <<<"$report") + $(kv fore_out <<<"$report") ))"

    # A window 20 pixels high shows the first row of the wrapped line whole
    # and nothing of the second (rows are 14 pixels high with this font; the
    # second starts at y = 15): it reads the line one row at a time, with
    # the mark beside the row.
    open_through_dialog a "$(win_path "$texts/long.txt")" || return 1
    render 200 200 "$WIN_TABS" "$E2E_TMP/flat-long.txt" "$E2E_TMP/flat-tall.bmp"
    check_true "the 20-pixel window shows the first row of the wrapped line" \
        wait_client_like "$E2E_OUT/window-low.png" "$MAIN" "$E2E_TMP/flat-tall.bmp" 190 15
    report=$(pixels_report "$E2E_OUT/window-low.png" "$WIN_BACK" "$WIN_FORE")
    check_ne "text in the first row" 0 "$(kv fore_in <<<"$report")"
    check_true "nothing of the second row (font colour in rows $(kv rows <<<"$report"))" \
        test "$(kv rows <<<"$report" | cut -d- -f2)" -lt 15
    check_eq "grip drawn" 16 "$(kv grip_black <<<"$report")"
    check_ne "the mark beside the row" 0 "$(kv fore_right <<<"$report")"
    check_eq "nothing but background beside the text but the mark (first other: $(kv first_stray <<<"$report"))" \
        "$(kv fore_right <<<"$report")" "$(kv stray <<<"$report")"
    check_true "closes" close_and_wait a "$MAIN"
}

# ------------------------------------------------------------------ mouse

# x_mouse ARGS…: an xdotool command chain of pointer actions, under the
# step limit. The X server takes them in order; short sleeps between the
# steps let Wine take each X event before the next one. Moves are not made
# with --sync: it waits for the pointer to move, which it never does when
# it is already there or when a confinement stops it.
x_mouse() {
    timeout "$E2E_STEP_LIMIT" xdotool "$@" >>"$E2E_TMP/log/xdotool.log" 2>&1 </dev/null
}

# capture_of HWND: the window that holds the mouse capture in HWND's thread.
capture_of() { probe input "$1" | kv capture; }

# wait_capture HWND WANT: the capture once it is WANT, or the last one seen.
wait_capture() { wait_value "$2" capture_of "$1"; }

# input_of HWND KEY: one value of the probe's input command (clip, cursor,
# movesize).
input_of() { probe input "$1" | kv "$2"; }

# handled DIR: F9 typed into the main window, back once the program has
# taken it: F9 turns the line numbers on or off and writes LineDisp at once,
# and the program takes input in the order it came, so whatever the pointer
# did before has been handled too. For the checks that something did not
# happen.
handled() {
    local now
    now=$(ini_get "$1/Skerrow.ini" OPTION LineDisp)
    now=$((1 - ${now:-0}))
    x_key "$(probe info "$MAIN" | kv xid)" F9
    [ "$(wait_value "$now" ini_get "$1/Skerrow.ini" OPTION LineDisp)" = "$now" ] ||
        { e2e_cannot "F9 was never taken"; return 1; }
}

test_window_drag_and_grip() {
    local dir
    dir=$(new_start_dir mouse) || return 1
    write_ini "$dir" '[WINDOW]' 'X=100' 'Y=200' 'WIDTH=300' 'HEIGHT=60'
    start_main a "$dir" || return 1
    local full_screen="0 0 1280 1024"

    # Drag by the body: press in the middle, move in steps, release. All of
    # the client area but the grip answers as a caption, so the system's
    # own move loop carries the window by exactly the pointer's distance.
    x_mouse mousemove 250 230 mousedown 1
    check_eq "pressed on the body: the system's move loop runs" 1 "$(wait_value 1 input_of "$MAIN" movesize)"
    x_mouse mousemove 270 240 sleep 0.1 mousemove 330 270 sleep 0.1 mousemove 387 301 mouseup 1
    check_eq "dragged by (137, 71)" "237 271 537 331" "$(wait_rect "$MAIN" "237 271 537 331")"

    local main=$MAIN
    # The grip arms on a move over it with no button held (the mouse capture
    # is taken), stays armed while the pointer moves within it, and drops
    # when the pointer leaves it.
    x_mouse mousemove 530 325
    check_eq "a move over the grip with no button arms it (capture)" "$main" "$(wait_capture "$main" "$main")"
    x_mouse mousemove 531 326
    handled "$dir" || return 1
    check_eq "a move within the grip keeps it armed" "$main" "$(capture_of "$main")"
    x_mouse mousemove 400 290
    check_eq "a move onto the body disarms it" 0x00000000 "$(wait_capture "$main" 0x00000000)"
    # A move over the grip with Ctrl held does not arm it (the key flags are
    # not 0), so the press that follows, Ctrl released, finds the grip idle
    # and does nothing, nor do the moves while the button is held.
    x_mouse windowfocus --sync "$(probe info "$main" | kv xid)" keydown ctrl mousemove 530 325
    handled "$dir" || return 1
    check_eq "Ctrl held over the grip: not armed, no capture" 0x00000000 "$(capture_of "$main")"
    x_mouse keyup ctrl mousedown 1 sleep 0.2 mousemove 600 400 sleep 0.2 mousemove 620 420
    handled "$dir" || return 1
    check_eq "press on an idle grip: no capture" 0x00000000 "$(capture_of "$main")"
    check_eq "press on an idle grip: no confinement" "$full_screen" "$(probe input "$main" | kv clip)"
    check_eq "press on an idle grip: size unchanged" "237 271 537 331" "$(probe info "$main" | kv rect)"
    x_mouse mouseup 1 sleep 0.2 mousemove 400 290

    # Sizing: one move onto the grip arms it (an X warp is a move to Wine),
    # the press starts the sizing with the pointer confined to the work
    # area right and below the point 10 pixels in from the window's
    # top-left corner; every move sets the window's size to the pointer's
    # place in the client area; the release ends it.
    x_mouse mousemove 530 325
    check_eq "armed again" "$main" "$(wait_capture "$main" "$main")"
    x_mouse mousedown 1
    check_eq "sizing: pointer confined" "247 281 1280 1024" "$(wait_value "247 281 1280 1024" input_of "$main" clip)"
    x_mouse mousemove 570 350 sleep 0.1 mousemove 610 375
    # The client area starts at (238, 272) inside the border: the pointer at
    # (610, 375) is at (372, 103) in it, which is the new size.
    check_eq "sizing follows the pointer" "237 271 609 374" "$(wait_rect "$main" "237 271 609 374")"
    x_mouse mouseup 1
    check_eq "release: capture given back" 0x00000000 "$(wait_capture "$main" 0x00000000)"
    check_eq "release: pointer free again" "$full_screen" "$(wait_value "$full_screen" input_of "$main" clip)"
    check_eq "size kept after the release" "237 271 609 374" "$(probe info "$main" | kv rect)"

    # Far up and left: the confinement holds the pointer 10 pixels in from
    # the corner (Wine grabs the X pointer for ClipCursor, so X itself keeps
    # the pointer there), and the window stops at 10 x 10.
    x_mouse mousemove 500 300 sleep 0.2 mousemove 605 370
    check_eq "armed for shrinking" "$main" "$(wait_capture "$main" "$main")"
    x_mouse mousedown 1
    check_eq "shrinking: pointer confined" "247 281 1280 1024" "$(wait_value "247 281 1280 1024" input_of "$main" clip)"
    x_mouse mousemove 400 200 sleep 0.1 mousemove 0 0
    check_eq "pointer held at 10 pixels from the corner" "247 281" "$(wait_value "247 281" input_of "$main" cursor)"
    check_eq "X keeps the pointer there too" "x:247 y:281" \
        "$(timeout "$E2E_STEP_LIMIT" xdotool getmouselocation 2>/dev/null | cut -d' ' -f1,2)"
    check_eq "shrinks to 10 x 10 and no less" "237 271 247 281" "$(wait_rect "$main" "237 271 247 281")"
    x_mouse mouseup 1
    check_eq "capture given back after shrinking" 0x00000000 "$(wait_capture "$main" 0x00000000)"

    # Far down and right: the corner cannot pass the work area's right and
    # bottom edges (under Wine without a taskbar the work area is the whole
    # 1280 x 1024 screen, so the screen's own edge holds the pointer too).
    # The 10 x 10 window is all grip.
    x_mouse mousemove 300 200 sleep 0.2 mousemove 242 276
    check_eq "armed on the 10 x 10 window" "$main" "$(wait_capture "$main" "$main")"
    x_mouse mousedown 1
    check_eq "growing: pointer confined" "247 281 1280 1024" "$(wait_value "247 281 1280 1024" input_of "$main" clip)"
    x_mouse mousemove 900 800 sleep 0.1 mousemove 1279 1023 sleep 0.1 mousemove 1500 1300
    check_eq "pointer at the work area's last pixel" "1279 1023" "$(wait_value "1279 1023" input_of "$main" cursor)"
    # Client area from (238, 272): the pointer's place in it is (1041, 751).
    check_eq "grows to the pointer, inside the work area" "237 271 1278 1022" \
        "$(wait_rect "$main" "237 271 1278 1022")"
    x_mouse mouseup 1
    check_eq "capture given back after growing" 0x00000000 "$(wait_capture "$main" 0x00000000)"
    x_mouse mousemove 1000 900 sleep 0.1 mousemove 700 600

    # The place and size written at exit are the final ones.
    check_true "closes" close_and_wait a "$main"
    check_eq "X Y WIDTH HEIGHT written at exit" "237 271 1041 751" \
        "$(for k in X Y WIDTH HEIGHT; do ini_get "$dir/Skerrow.ini" WINDOW $k; done | paste -sd ' ')"
}

# ------------------------------------------------------ tray, hot keys, menus

# menu_items PNG: one letter per item of a picture of a pop-up menu, top to
# bottom: E for an item whose text is drawn in the menu text colour, G for
# one drawn grayed, M for both. Items are told apart by the blank rows
# between their texts; separators are neither colour. Wine draws menu text
# black and grayed text in 0x808080 (its own fixed grey, not COLOR_GRAYTEXT,
# which is the colour of the separators and frame here).
menu_items() {
    pixels "$1" | awk '
        $3 == "000000" { black[$2] = 1 }
        $3 == "808080" { gray[$2] = 1 }
        { if ($2 > maxy) maxy = $2 }
        function flush() { if (e || g) out = out (e && g ? "M" : e ? "E" : "G"); e = g = 0 }
        END {
            gap = 99
            for (y = 0; y <= maxy; y++) {
                if (black[y] || gray[y]) {
                    if (gap >= 4) flush()
                    if (black[y]) e = 1
                    if (gray[y]) g = 1
                    gap = 0
                } else gap++
            }
            flush()
            print out
        }'
}

# open_menu OUT: waits for a pop-up menu and saves the probe's description
# in MENU_INFO; returns 1 when no menu came. menu_picture OUT then prints
# its items as the screen shows them now (their picture in OUT).
open_menu() {
    MENU_INFO=$(probe menu --timeout "$E2E_WAIT_MS") || return 1
    wait_for menu_drawn "$1"
}
menu_drawn() { [ -n "$(menu_picture "$1")" ]; }
menu_picture() {
    grab_rect "$1" "$(kv rect <<<"$MENU_INFO")" && menu_items "$1"
}

# menu_shows OUT ITEMS: the menu's items (see menu_items) once they are
# ITEMS, or the last ones seen.
menu_shows() { wait_value "$2" menu_picture "$1"; }

# close_menu: a click on an empty part of the screen ends a menu, as it does
# for a user; then waits until no menu is left.
close_menu() {
    x_mouse mousemove 1100 950 sleep 0.1 click 1
    wait_for no_menu
}
no_menu() { ! probe menu >/dev/null; }

# The notification area's window that Wine draws when there is no X tray:
# its class name changes between Wine versions, so it is the visible
# top-level window whose class names a tray.
wine_tray_window() {
    probe list | awk '$1 ~ /^window=/ && tolower($2) ~ /tray/ && $3 == 1 && $6 > $4 { sub(/^window=/, "", $1); print $1; exit }'
}

test_window_tray_hotkeys_and_menus() {
    local dir texts
    dir=$(new_start_dir tray) || return 1
    texts=$(new_start_dir traytexts) || return 1
    printf 'first\r\nsecond\r\n' >"$texts/two.txt"
    # Ctrl+Alt+Q shows the window, Ctrl+Alt+W opens the tray menu, Ctrl+Alt+N
    # steps to the next line (F9 and the other plain keys are the window's own).
    write_ini "$dir" '[WINDOW]' 'X=300' 'Y=300' 'WIDTH=300' 'HEIGHT=60' \
        '[OPTION]' 'ONHOTKEY=0x51' 'ONHOTCTL=1' 'ONHOTALT=1' 'MENUHOTKEY=0x57' 'MENUHOTCTL=1' 'MENUHOTALT=1' \
        'NEXTHOTKEY=0x4E' 'NEXTHOTCTL=1' 'NEXTHOTALT=1'
    start_main a "$dir" || return 1
    local main=$MAIN pid xid
    pid=$(probe info "$main" | kv pid)
    xid=$(probe info "$main" | kv xid)

    local tray
    tray=$(wine_tray_window)
    [ -n "$tray" ] || { e2e_cannot "Wine's notification-area window was not found"; return 1; }
    # The first icon's cell is the top-left square of the tray's client area.
    local tc icon_x icon_y
    tc=$(probe client "$tray")
    icon_x=$(( $(kv cx <<<"$tc") + $(kv cheight <<<"$tc") / 2 ))
    icon_y=$(( $(kv cy <<<"$tc") + $(kv cheight <<<"$tc") / 2 ))

    # Hidden with Esc, the icon stays; its left button brings the window back
    # to the front.
    x_key "$xid" Escape
    check_eq "hidden by Esc" "state=hidden" "$(probe wait "$main" hidden 10000)"
    check_eq "icon present while hidden" "tray=1" "$(probe tray "$main" $WIN_TRAY_ICON_ID)"
    x_mouse mousemove "$icon_x" "$icon_y" sleep 0.1 click 1
    check_eq "left button on the icon shows the window" "state=visible" "$(probe wait "$main" visible 10000)"
    check_eq "and brings it to the foreground" "foreground=$main" "$(probe foreground)"

    # The right button on the icon opens the tray menu and leaves the window
    # hidden.
    x_key "$xid" Escape
    probe wait "$main" hidden 10000 >/dev/null
    x_mouse mousemove "$icon_x" "$icon_y" sleep 0.1 click 3
    check_true "right button on the icon opens a menu" open_menu "$E2E_OUT/tray-menu-icon.png"
    check_eq "the menu is the program's" "$pid" "$(kv pid <<<"$MENU_INFO")"
    check_eq "the window stays hidden" "state=hidden" "$(probe wait "$main" hidden 100)"
    # Its items are checked below, on the same menu opened by the hot key:
    # here the pointer is on the icon, which the menu covers (moved down to
    # fit on the screen), and an item under the pointer may be highlighted.
    # Wine keeps menus in the memory of their process, so the probe cannot
    # read their items (it prints readable=0): the pictures stand in.
    check_true "a click elsewhere closes the tray menu" close_menu

    # The show hot key, typed through X while Wine's tray window (a window
    # of the same prefix) has the focus: Wine has no X key grabs, so a hot
    # key fires only while one of the prefix's windows has the X focus.
    local tray_xid
    tray_xid=$(probe info "$tray" | kv xid)
    check_eq "still hidden before the hot key" "state=hidden" "$(probe wait "$main" hidden 100)"
    x_key "$tray_xid" ctrl+alt+q
    check_eq "Ctrl+Alt+Q shows the window" "state=visible" "$(probe wait "$main" visible 10000)"

    # The menu hot key opens the tray menu with its bottom-left corner at the
    # pointer. Nothing is open: "自動送り(&A)", the second item, is grayed.
    # The pointer is left where the menu does not cover it, so that no item
    # is highlighted.
    x_mouse mousemove 600 600
    x_key "$xid" ctrl+alt+w
    check_true "Ctrl+Alt+W opens a menu" open_menu "$E2E_OUT/tray-menu.png" || return 1
    local mr
    mr=$(kv rect <<<"$MENU_INFO")
    check_eq "tray menu: left edge and bottom at the pointer" "600 600" "$(cut -d' ' -f1,4 <<<"$mr")"
    check_eq "tray menu, nothing open: the third of seven items grayed" EEGEEEE \
        "$(menu_shows "$E2E_OUT/tray-menu.png" EEGEEEE)"
    check_true "a click elsewhere closes the tray menu" close_menu

    # The context menu: a right click on the body opens it at the pointer
    # (with the border, one pixel right of and below it); with nothing open
    # "行指定(&J)", "ｸﾘｱ(&C)" and "表示情報(&P)" are grayed.
    x_mouse mousemove 400 320 sleep 0.1 click 3
    check_true "right click on the body opens a menu" open_menu "$E2E_OUT/context-menu.png" || return 1
    check_eq "the context menu is the program's" "$pid" "$(kv pid <<<"$MENU_INFO")"
    check_eq "context menu at the pointer, one pixel in for the border" "401 321" \
        "$(kv rect <<<"$MENU_INFO" | cut -d' ' -f1,2)"
    check_eq "context menu, nothing open: items 3 to 9 of ten grayed" EEGGGGGGGE \
        "$(menu_shows "$E2E_OUT/context-menu.png" EEGGGGGGGE)"
    check_true "a click elsewhere closes the context menu" close_menu

    # A right click in the grip (client area there) opens no menu. The move
    # there armed the grip; a move onto the body disarms it (a click
    # elsewhere would start a sizing instead). Under Wine the mouse capture
    # does not hold the X pointer, so a move off the window reaches no Wine
    # window and would leave the grip armed: the move stays on the window.
    x_mouse mousemove 596 356 sleep 0.1 click 3
    x_mouse mousemove 400 320
    check_eq "grip disarmed by the move onto the body" 0x00000000 "$(wait_capture "$main" 0x00000000)"
    # The click came before that move: a menu it had opened would be up now.
    check_true "no menu from a right click in the grip" no_menu

    # With a text open the same items are enabled: the pictures above could
    # tell a grayed item from an enabled one.
    open_through_dialog a "$(win_path "$texts/two.txt")" || return 1
    x_mouse mousemove 400 320 sleep 0.1 click 3
    check_true "context menu with a text open" open_menu "$E2E_OUT/context-menu-open.png" || return 1
    check_eq "context menu, a text open: all ten items enabled" EEEEEEEEEE \
        "$(menu_shows "$E2E_OUT/context-menu-open.png" EEEEEEEEEE)"
    close_menu
    x_mouse mousemove 600 600
    x_key "$xid" ctrl+alt+w
    check_true "tray menu with a text open" open_menu "$E2E_OUT/tray-menu-open.png" || return 1
    check_eq "tray menu, a text open: all seven items enabled" EEEEEEE \
        "$(menu_shows "$E2E_OUT/tray-menu-open.png" EEEEEEE)"
    close_menu

    # The next-line key, typed in Wine's notepad (of the prefix), steps; notepad keeps the focus.
    start_notepad || return 1
    x_key "$NOTEPAD_XID" ctrl+alt+n
    check_eq "the next-line key from notepad shows the second line" 2 "$(wait_line "$dir" 2)"
    check_eq "notepad keeps the X focus" "$NOTEPAD_XID" "$(xdotool getwindowfocus 2>/dev/null)"
    stop_notepad

    check_true "closes" close_and_wait a "$main"
}

# ink_box PNG CROP: width and height of the dark pixels within CROP (an
# ImageMagick geometry) of a screenshot.
ink_box() {
    convert "$1" -crop "$2" +repage -colorspace Gray -threshold 50% -negate -trim -format '%w %h' info: 2>/dev/null
}

# The same window, text and settings at 96 and at 144 DPI (150 %): at 144
# the window, the text and the grip are half as large again, and the
# settings file keeps the size at 96 DPI.
test_window_scaled_at_144_dpi() {
    local texts dpi dir
    texts=$(new_start_dir texts) || return 1
    printf 'Ag 漢字\r\n' >"$texts/ag.txt"
    declare -A client text grip written
    for dpi in 96 144; do
        dir=$(new_start_dir "dpi$dpi") || return 1
        write_ini "$dir" '[WINDOW]' 'FLAG=1' 'X=200' 'Y=300' 'WIDTH=300' 'HEIGHT=60' '[OPTION]' 'BorderFlg=0' \
            '[FONT]' 'BackColor=16777215' 'FontColor=0'
        timeout "$E2E_STEP_LIMIT" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >>"$E2E_TMP/log/reg.log" 2>&1 </dev/null
        start_main "d$dpi" "$dir" || return 1
        probe drop "$MAIN" "$(win_path "$texts/ag.txt")" >/dev/null
        wait_opened "d$dpi" "$(win_path "$texts/ag.txt")" || return 1
        client[$dpi]=$(probe info "$MAIN" | kv client)
        read -r w h <<<"${client[$dpi]}"
        # The text painted: ink left of the grip, on the white window.
        text_shown() { grab_client "$E2E_OUT/dpi$dpi.png" "$MAIN" && [ "$(dark_pixels "$E2E_OUT/dpi$dpi.png" 0 $((h - 1)))" != 0 ]; }
        wait_for text_shown || { e2e_cannot "no text shown at $dpi DPI"; return 1; }
        text[$dpi]=$(ink_box "$E2E_OUT/dpi$dpi.png" "$((w * 3 / 4))x${h}+0+0" | cut -d' ' -f2)
        grip[$dpi]=$(ink_box "$E2E_OUT/dpi$dpi.png" "$((w / 8))x$((h / 2))+$((w - w / 8))+$((h / 2))" | cut -d' ' -f1)
        check_true "closes at $dpi DPI" close_and_wait "d$dpi" "$MAIN"
        written[$dpi]=$(for k in WIDTH HEIGHT; do ini_get "$dir/Skerrow.ini" WINDOW $k; done | paste -sd ' ')
    done
    timeout "$E2E_STEP_LIMIT" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f \
        >>"$E2E_TMP/log/reg.log" 2>&1 </dev/null
    check_eq "the window at 96 DPI" "300 60" "${client[96]}"
    check_eq "the window at 144 DPI" "450 90" "${client[144]}"
    check_eq "the size kept at 96 DPI" "300 60|300 60" "${written[96]}|${written[144]}"
    check_true "text half as high again (${text[96]} and ${text[144]} pixels)" \
        test $((text[144] * 10)) -ge $((text[96] * 13)) -a $((text[144] * 10)) -le $((text[96] * 17))
    check_true "grip half as large again (${grip[96]} and ${grip[144]} pixels)" \
        test $((grip[144] * 10)) -ge $((grip[96] * 13)) -a $((grip[144] * 10)) -le $((grip[96] * 17))
}

# band PNG Y H OUT: rows Y to Y+H-1 of a picture, without the grip's 10 columns.
band() {
    convert "$1" -crop "$(($(identify -format %w "$1") - 10))x$3+0+$2" +repage -type TrueColor "$4" 2>/dev/null
}

# same_band A AY B BY H: the two pictures' bands are alike to the pixel.
same_band() {
    band "$1" "$2" "$5" "$E2E_TMP/band-a.png" && band "$3" "$4" "$5" "$E2E_TMP/band-b.png" &&
        [ "$(compare -metric AE "$E2E_TMP/band-a.png" "$E2E_TMP/band-b.png" null: 2>&1)" = 0 ]
}

# A paragraph taller than the default window is read in pieces: each piece
# shows, to the pixel, the band of rows a tall window draws there, no row cut
# in half and nothing below, with the mark beside it while more follows. A
# new size, and a restart, keep the place.
test_a_long_line_is_read_in_pieces() {
    local dir texts para="" i
    dir=$(new_start_dir pieces) || return 1
    texts=$(new_start_dir ptexts) || return 1
    for i in $(seq 9); do
        para+="親譲りの無鉄砲で小供の時から損ばかりしている。小学校に居る時分学校の二階から飛び降りて一週間ほど腰を抜かした事がある。"
    done
    printf '%s' "$para" | iconv -f UTF-8 -t CP932 >"$texts/para.txt"
    { cat "$texts/para.txt"; printf '\r\nnext\r\n'; } >"$texts/novel.txt"
    write_ini "$dir" '[WINDOW]' 'X=300' 'Y=300' '[FONT]' "BackColor=$WIN_BACK" "FontColor=$WIN_FORE"
    start_main a "$dir" || return 1
    probe drop "$MAIN" "$(win_path "$texts/novel.txt")" >/dev/null
    wait_opened a "$(win_path "$texts/novel.txt")" || return 1
    local xid w h lh n rows pieces k mark
    xid=$(probe info "$MAIN" | kv xid)
    read -r w h <<<"$(probe info "$MAIN" | kv client)"
    render "$w" 1000 4 "$texts/para.txt" "$E2E_TMP/tall.bmp"
    convert "$E2E_TMP/tall.bmp" "$E2E_OUT/pieces-tall.png"
    lh=$(kv lineheight <"$E2E_TMP/log/render.out")
    n=$(((h - 1) / lh))
    rows=$(pixels_report "$E2E_OUT/pieces-tall.png" "$WIN_BACK" "$WIN_FORE" | kv rows | cut -d- -f2)
    rows=$(((rows - 1) / lh + 1))
    pieces=$(((rows + n - 1) / n))
    check_true "the paragraph needs more than two pieces ($rows rows of $lh, $n a piece)" test "$pieces" -gt 2
    # piece_shown K: a screenshot of the window in piece-K.png, and whether
    # it shows the tall window's rows of piece K.
    piece_shown() {
        grab_client "$E2E_OUT/piece-$1.png" "$MAIN" &&
            same_band "$E2E_OUT/piece-$1.png" 1 "$E2E_OUT/pieces-tall.png" $((1 + $1 * n * lh)) $((n * lh))
    }
    # shows_as SHOT K: a screenshot in SHOT, and whether it shows what
    # piece K showed.
    shows_as() {
        grab_client "$E2E_OUT/$1" "$MAIN" && same_band "$E2E_OUT/$1" 0 "$E2E_OUT/piece-$2.png" 0 "$h"
    }
    for k in $(seq 0 $((pieces - 1))); do
        check_true "piece $k: the tall window's rows $((k * n)) on" wait_for piece_shown "$k"
        check_true "piece $k: nothing below its rows" \
            same_band "$E2E_OUT/piece-$k.png" $((1 + n * lh)) "$E2E_OUT/pieces-tall.png" 900 $((h - 1 - n * lh))
        mark=$(convert "$E2E_OUT/piece-$k.png" -crop "10x$((h - 12))+$((w - 10))+0" +repage -type TrueColor txt:- |
            grep -c "$(printf '#%02X%02X%02X' 128 0 128)")
        check_eq "piece $k: the mark while more follows" "$([ "$k" -lt $((pieces - 1)) ] && echo yes || echo no)" \
            "$([ "$mark" -gt 0 ] && echo yes || echo no)"
        x_key "$xid" Down
    done
    x_key_hide "$xid"
    check_eq "after the last piece, the next line" 2 "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
    show_again || return 1
    x_key "$xid" Up Up
    check_true "up from the next line: its last piece, then the one before" \
        wait_for shows_as piece-back.png $((pieces - 2))
    x_key_hide "$xid"
    local place
    place=$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)/$(ini_get "$dir/Skerrow.ini" BACKUP BackPos)
    check_ne "a place within the line" "1/" "$place"
    show_again || return 1
    local width
    width=$(probe info "$MAIN" | kv width)
    # Each size painted before the next (the move returns once the window
    # has taken its size).
    probe move "$MAIN" 300 300 200 300 >/dev/null
    probe paint "$MAIN"
    probe move "$MAIN" 300 300 "$width" 50 >/dev/null
    probe paint "$MAIN"
    check_true "narrower and back: the same piece" wait_for shows_as piece-resized.png $((pieces - 2))
    x_key_hide "$xid"
    check_eq "the place kept through the sizes" "$place" \
        "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)/$(ini_get "$dir/Skerrow.ini" BACKUP BackPos)"
    check_true "run ends" close_and_wait a "$MAIN"
    restore_at b "$dir" || return 1
    check_true "restored at the same piece" wait_for shows_as piece-restored.png $((pieces - 2))
    check_true "second run ends" close_and_wait b "$MAIN"
}

# The text stays opaque on a see-through window, chosen on the Display page.
# Xvfb, with no compositor, shows its premultiplied colours: the background as
# colour × alpha / 255 (alpha 1 at the last step, which still takes the mouse).
test_opaque_text_on_a_see_through_window() {
    local dir texts
    dir=$(new_start_dir opaque) || return 1
    texts=$(new_start_dir otexts) || return 1
    write_cp932 "$texts/novel.txt" '■■■■親譲《おやゆず》りの無鉄砲で小供の時から損ばかりしている。'
    write_ini "$dir" '[WINDOW]' 'X=200' 'Y=300' '[FONT]' "BackColor=$WIN_BACK" "FontColor=$WIN_FORE" 'Height=-24'
    start_main a "$dir" || return 1
    probe drop "$MAIN" "$(win_path "$texts/novel.txt")" >/dev/null
    wait_opened a "$(win_path "$texts/novel.txt")" || return 1
    # display_page KEYS…: typed on the Display page (its tab clicked: Wine's sheet takes no
    # Ctrl+Tab from X; four tabs reach the slider), then OK. Drawn per pixel, the
    # window is another X window (32 bits deep): its xid is asked each time.
    display_page() {
        x_key "$(probe info "$MAIN" | kv xid)" F12
        local sheet
        sheet=$(dialog_titled a 'ｵﾌﾟｼｮﾝ設定のプロパティ' 'Properties for ｵﾌﾟｼｮﾝ設定' 'ｵﾌﾟｼｮﾝ設定')
        [ -n "$sheet" ] || { e2e_cannot "no options sheet after F12"; return 1; }
        x_mouse mousemove $(($(probe info "$sheet" | kv x) + 92)) $(($(probe info "$sheet" | kv y) + 40)) \
            sleep 0.2 click 1
        x_key "$(dialog_xid "$sheet")" Tab Tab Tab Tab "$@" Return
        [ "$(probe wait "$sheet" gone 10000)" = state=gone ] || { e2e_cannot "the options sheet stays"; return 1; }
    }
    # at SHOT: a screenshot; the right margin's pixel and one inside the first ■.
    at() {
        screenshot "opaque-$1.png" "$MAIN" &&
            pixels "$E2E_OUT/opaque-$1.png" | awk '$1 " " $2 == "590 5" { m = $3 } $1 " " $2 == "10 12" { i = $3 } END { print m, i }'
    }
    # stored_and_shown: the step and the choice in the settings file, and the
    # two pixels.
    stored_and_shown() {
        printf '%s %s %s\n' "$(ini_get "$dir/Skerrow.ini" OPTION LayNum)" \
            "$(ini_get "$dir/Skerrow.ini" OPTION OpaqueText)" "$(at Home)"
    }
    local want
    display_page Home Right Right Right Right Right Right Right Right Right Right alt+k || return 1
    want="10 1 804D1A $(hex_rgb "$WIN_FORE")"
    check_eq "step 10 and the choice stored; at alpha 128 the background premultiplied, the text in its colour" \
        "$want" "$(wait_value "$want" stored_and_shown)"
    display_page End || return 1
    want="010100 $(hex_rgb "$WIN_FORE")"
    check_eq "the last step: the background at alpha 1, the text in its own colour" "$want" "$(wait_value "$want" at End)"
    x_mouse mousemove 700 320 mousedown 1
    check_eq "the last step: pressed on its body, the move loop runs" 1 "$(wait_value 1 input_of "$MAIN" movesize)"
    x_mouse mousemove 720 340 sleep 0.1 mousemove 750 370 mouseup 1
    check_eq "the last step: dragged by its body" "250 350 850 400" "$(wait_rect "$MAIN" "250 350 850 400")"
    check_true "closes" close_and_wait a "$MAIN"
}

# 50% jumps to the third of four 100-byte lines after a UTF-8 mark, byte 200 of
# 400: the progress line runs along the last row over half the text's width.
test_progress_line_after_a_jump_to_half_the_text() {
    local dir i w h want
    dir=$(new_start_dir progress) || return 1
    { printf '\xEF\xBB\xBF'; for i in 1 2 3 4; do printf '%-98s\r\n' "line $i"; done; } >"$dir/four.txt"
    write_ini "$dir" '[OPTION]' 'ProgressLine=1' '[FONT]' "BackColor=$WIN_BACK" "FontColor=$WIN_FORE"
    start_main a "$dir" || return 1
    probe drop "$MAIN" "$(win_path "$dir/four.txt")" >/dev/null
    wait_opened a "$(win_path "$dir/four.txt")" || return 1
    x_key "$(probe info "$MAIN" | kv xid)" j
    x_key "$(dialog_xid "$(dialog_titled a '行指定')")" 5 0 percent Return
    check_eq "50% shows the third line" 3 "$(wait_line "$dir" 3)"
    read -r w h <<<"$(probe info "$MAIN" | kv client)"
    last_row() { grab_client "$E2E_OUT/progress.png" "$MAIN" && pixels "$E2E_OUT/progress.png" |
        awk -v y=$((h - 1)) -v f="$(hex_rgb "$WIN_FORE")" '$2 == y && $3 == f { if (!n++) a = $1; b = $1 } END { print a, b, n }'; }
    want="1 $(((w - 11) / 2)) $(((w - 11) / 2))"
    check_eq "the line's first and last column and length" "$want" "$(wait_value "$want" last_row)"
    check_true "run ends" close_and_wait a "$MAIN"
}
