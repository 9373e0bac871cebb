# Opening a text as a user does, stepping through it, and taking it up again
# at the next start. Sourced by run.sh; start_main and close_and_wait come
# from test_shell.sh.

IDM_CLEAR=40008
IDC_MARKLIST=1043

# open_through_dialog NAME WINPATH: O typed into the main window, the path
# put into the open dialog's name box, Enter; back once the text is open (or
# its dat question is up).
open_through_dialog() {
    local xid dialog info
    xid=$(probe info "$MAIN" | kv xid)
    x_key "$xid" o || return 1
    dialog=$(probe find '#32770' $(owner_filter "$1") --timeout "$E2E_WAIT_MS" | kv hwnd)
    [ -n "$dialog" ] || { e2e_cannot "no open dialog after O"; return 1; }
    # Shown once it has filled in its controls, which would undo a text put in earlier.
    [ "$(probe wait "$dialog" visible "$E2E_WAIT_MS")" = state=visible ] ||
        { e2e_cannot "the open dialog never showed"; return 1; }
    info=$(probe info "$dialog")
    check_eq "open dialog title" "$(cp932_hex 'ﾌｧｲﾙを開く')" "$(kv title <<<"$info")"
    set_text "$dialog" 1148 "$2" || return 1  # the name box
    x_key "$(kv xid <<<"$info")" Return
    check_eq "open dialog closed" "state=gone" "$(probe wait "$dialog" gone 10000)"
    wait_opened "$1" "$2"
}

# Lines shown are read back from outside through BackNo, which the program
# writes at Esc and at exit: the 1-based number of the line shown last. The
# folders and texts have names that code page 932 cannot spell: one text is
# opened through the dialog, then the story dropped on the window.
test_open_step_and_restore() {
    local dir texts text
    dir=$(new_start_dir 'doc-é한') || return 1
    texts=$(new_start_dir 'texts-é한') || return 1
    text=$texts/눈-☃.txt
    for i in $(seq 1 30); do printf 'line %d\r\n' "$i"; done >"$text"
    cp "$text" "$E2E_TMP/story-before.txt"
    printf 'typed\r\n' >"$texts/노트-é.txt"
    # Clear of Wine's tray window, which a start may draw over the corner
    # where the wheel is turned.
    write_ini "$dir" '[WINDOW]' 'X=300' 'Y=300'

    start_main a "$dir" || return 1
    open_through_dialog a "$(win_path "$texts/노트-é.txt")" || return 1
    check_true "opened through the dialog" cmp -s "$texts/노트-é.txt" "$dir/Skerrow.tmp"
    probe drop "$MAIN" "$(win_path "$text")" >/dev/null
    wait_opened a "$(win_path "$text")" || return 1
    local xid
    xid=$(probe info "$MAIN" | kv xid)
    # Down three times, End, Home: line 1. The wheel turned towards the user
    # twice (button 5): line 3. Typed 1 2, then the pause: line 12. Up: 11.
    x_key "$xid" Down Down Down End Home
    local x y
    x=$(probe info "$MAIN" | kv x); y=$(probe info "$MAIN" | kv y)
    timeout "$E2E_STEP_LIMIT" xdotool mousemove --sync $((x + 100)) $((y + 20)) click 5 click 5 \
        >>"$E2E_TMP/log/xdotool.log" 2>&1 </dev/null
    x_key_hide "$xid"
    check_eq "keys, then the wheel turned twice" 3 "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
    show_again || return 1
    x_key "$xid" 1 2
    check_eq "a typed number, after its pause" 12 "$(wait_line "$dir" 12)"
    x_key_hide "$xid" Up
    check_true "first run ends" close_and_wait a "$MAIN"
    check_eq "line shown last" 11 "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
    check_eq "source remembered whole" "$(escaped "$(win_path "$text")")" \
        "$(ini_get "$dir/Skerrow.ini" BACKUP BackFileUtf8)"
    check_true "working copy kept, byte for byte" cmp -s "$text" "$dir/Skerrow.tmp"
    check_true "source untouched" cmp -s "$text" "$E2E_TMP/story-before.txt"

    # Second start: the question, OK, the text at line 11; Down makes it 12.
    rm "$text"
    app_start b "$dir"
    local box
    box=$(msgbox_of b) || { e2e_cannot "no restore question"; return 1; }
    check_eq "restore question" "$(cp932_hex '前回終了直前の状態を復元しますか？')" "$(kv text <<<"$box")"
    check_eq "restore question caption" "$(cp932_hex Skerrow)" "$(kv caption <<<"$box")"
    probe click "$(kv hwnd <<<"$box")" 1 >/dev/null
    main_shown b || return 1
    x_key_hide "$(probe info "$MAIN" | kv xid)" Down
    check_true "second run ends" close_and_wait b "$MAIN"
    check_eq "restored at line 11, then one on" 12 "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"

    # Third start: Cancel forgets the text and its copy.
    app_start c "$dir"
    box=$(msgbox_of c) || { e2e_cannot "no restore question the third time"; return 1; }
    probe click "$(kv hwnd <<<"$box")" 2 >/dev/null
    main_shown c || return 1
    check_eq "declined restore deletes the copy" no "$([ -e "$dir/Skerrow.tmp" ] && echo yes || echo no)"
    check_true "third run ends" close_and_wait c "$MAIN"
    check_eq "no line after a declined restore" 0 "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
    check_eq "no source after a declined restore" "" "$(ini_get "$dir/Skerrow.ini" BACKUP BackFile)"

    # Fourth start: nothing is offered. The question would come before the
    # window first shows.
    start_main d "$dir" || return 1
    check_false "no question the fourth time" quietly probe msgbox --any $(owner_filter d)
    check_true "fourth run ends" close_and_wait d "$MAIN"
}

test_clear_forgets_the_text() {
    local dir texts
    dir=$(new_start_dir clear) || return 1
    texts=$(new_start_dir texts) || return 1
    printf 'alpha\nbeta\n' >"$texts/a.txt"
    start_main a "$dir" || return 1
    open_through_dialog a "$(win_path "$texts/a.txt")" || return 1
    check_true "working copy while open" test -e "$dir/Skerrow.tmp"
    probe command "$MAIN" $IDM_CLEAR >/dev/null
    check_true "clear deletes the working copy" wait_for test ! -e "$dir/Skerrow.tmp"
    check_true "run ends" close_and_wait a "$MAIN"
    check_eq "no line after clear" 0 "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
    check_eq "no source after clear" "" "$(ini_get "$dir/Skerrow.ini" BACKUP BackFile)"
}

line_past() { [ "$(ini_get "$1/Skerrow.ini" BACKUP BackNo)" -gt "$2" ]; }
# feed_on NAME DIR: program NAME started in DIR, the text there open, the feed switched on.
feed_on() {
    start_main "$1" "$2" && probe drop "$MAIN" "$(win_path "$2/lines.txt")" >/dev/null &&
        wait_opened "$1" "$(win_path "$2/lines.txt")" && probe command "$MAIN" 40012 >/dev/null
}

# At 6000 characters a minute each short line stays 1 s. Hidden, the feed
# waits while a second reader, switched on after the hide, steps three times.
test_the_feed_follows_the_line_and_waits_while_hidden() {
    local dir witness main n
    dir=$(new_start_dir feed) && witness=$(new_start_dir witness) || return 1
    seq 300 | tee "$dir/lines.txt" >"$witness/lines.txt"
    write_ini "$dir" '[OPTION]' 'FeedByLength=1' 'FeedSpeed=6000' && cp "$dir/Skerrow.ini" "$witness/"
    feed_on a "$dir" && check_true "the feed steps on" wait_for line_past "$dir" 1 || return 1
    x_key_hide "$(probe info "$MAIN" | kv xid)"
    main=$MAIN n=$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)
    feed_on b "$witness" && check_true "the witness steps" wait_for line_past "$witness" 3 || return 1
    check_true "the witness ends" close_and_wait b "$MAIN"
    # Off and on again while hidden, each command storing the place first.
    MAIN=$main && probe command "$MAIN" 40012 >/dev/null && probe command "$MAIN" 40012 >/dev/null
    check_eq "hidden, the feed waits" "$n" "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
    show_again && check_true "shown, it goes on" wait_for line_past "$dir" "$n"
    check_true "run ends" close_and_wait a "$MAIN"
}

# dark_pixels PNG Y0 Y1: pixels darker than mid-grey in rows Y0..Y1 (inside the border).
dark_pixels() {
    local w
    w=$(identify -format '%w' "$1")
    convert "$1" -crop "$((w - 14))x$(($3 - $2 + 1))+2+$2" +repage -colorspace Gray -threshold 50% \
        -negate -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}

test_dat_file_shows_posts() {
    local dir
    dir=$(new_start_dir dat) || return 1
    write_ini "$dir" '[WINDOW]' 'WIDTH=640' 'HEIGHT=96'
    cp "$E2E_SAMPLES/sample.dat" "$dir/"
    start_main a "$dir" || return 1
    local box
    open_through_dialog a "$(win_path "$dir/sample.dat")" || return 1
    box=$(msgbox_of a) || { e2e_cannot "no dat question"; return 1; }
    check_eq "dat question" "$(cp932_hex $'2chのDatﾌｧｲﾙ形式と認識しました。\r\nﾚｽ形式で表示しますか？')" \
        "$(kv text <<<"$box")"
    probe click "$(kv hwnd <<<"$box")" 1 >/dev/null
    # A post: its header line, then the body on the lines below.
    post_shown() {
        screenshot post.png "$MAIN" && [ "$(dark_pixels "$E2E_OUT/post.png" 2 16)" != 0 ] &&
            [ "$(dark_pixels "$E2E_OUT/post.png" 19 33)" != 0 ]
    }
    wait_for post_shown
    check_ne "text in the header line" 0 "$(dark_pixels "$E2E_OUT/post.png" 2 16)"
    check_ne "text in the body line" 0 "$(dark_pixels "$E2E_OUT/post.png" 19 33)"
    # Found in a post's body, as it reads.
    local post
    post=$(iconv -f CP932 -t UTF-8 "$E2E_SAMPLES/sample.dat" | sed 1d | grep -n -m1 文庫 | cut -d: -f1 | awk '{print $1 + 1}')
    find_by_keys a 文庫 || return 1
    check_eq "the first post after the first that speaks of 文庫" "$post" "$(wait_line "$dir" "$post")"
    check_true "run ends" close_and_wait a "$MAIN"
    check_eq "that post at exit" "$post" "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
}

# find_by_keys NAME TEXT: F typed into the main window, TEXT put into the
# find dialog, Enter; back once the dialog is gone (the find then runs).
find_by_keys() {
    local dialog
    x_key "$(probe info "$MAIN" | kv xid)" f
    dialog=$(dialog_titled "$1" '検索') || { e2e_cannot "no find dialog after F"; return 1; }
    set_text "$dialog" 1026 "$2" || return 1  # IDC_FINDTEXT
    x_key "$(dialog_xid "$dialog")" Return
    [ "$(probe wait "$dialog" gone 10000)" = state=gone ] || { e2e_cannot "the find dialog stays"; return 1; }
}

# The story searched by keys: F, F3 and Shift+F3, each waited for (a key
# that comes while a find runs is dropped). Then an open of a large text
# stopped with Esc while it runs: the story stays open, its copy untouched.
test_find_and_a_cancelled_open() {
    local dir big xid
    dir=$(new_start_dir find) || return 1
    cp "$E2E_SAMPLES/sample.txt" "$dir/story.txt"
    big=$(new_start_dir big)/big.txt
    truncate -s 1536M "$big"
    start_main a "$dir" || return 1
    open_through_dialog a "$(win_path "$dir/story.txt")" || return 1
    xid=$(probe info "$MAIN" | kv xid)
    # The lines with 灯台 after the first line.
    local found
    found=($(iconv -f CP932 -t UTF-8 "$dir/story.txt" | sed 1d | grep -n 灯台 | head -n 3 | cut -d: -f1 |
        awk '{print $1 + 1}'))
    find_by_keys a 灯台 || return 1
    check_eq "F: the first line that holds the text" "${found[0]}" "$(wait_line "$dir" "${found[0]}")"
    x_key "$xid" F3
    check_eq "F3: the next one" "${found[1]}" "$(wait_line "$dir" "${found[1]}")"
    x_key "$xid" F3
    check_eq "F3 again: the third" "${found[2]}" "$(wait_line "$dir" "${found[2]}")"
    x_key "$xid" shift+F3
    check_eq "Shift+F3: back to the second" "${found[1]}" "$(wait_line "$dir" "${found[1]}")"
    probe drop "$MAIN" "$(win_path "$big")" >/dev/null
    # Esc once the large text's copy is being made.
    wait_for test -e "$dir/Skerrow.new" || { e2e_cannot "the large text's open never began"; return 1; }
    x_key "$xid" Escape
    wait_for test ! -e "$dir/Skerrow.new"
    check_eq "the window stays up: Esc stopped the open" 1 "$(probe info "$MAIN" | kv visible)"
    check_true "run ends" close_and_wait a "$MAIN"
    rm -f "$big"
    check_eq "line found" "${found[1]}" "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
    check_true "the story's copy untouched" cmp -s "$dir/story.txt" "$dir/Skerrow.tmp"
    check_eq "nothing of the large text kept" no "$([ -e "$dir/Skerrow.new" ] && echo yes || echo no)"
}

# same_pixels A B: the two screenshots show the same pixels.
same_pixels() {
    [ "$(compare -metric AE "$E2E_OUT/$1" "$E2E_OUT/$2" null: 2>&1)" = 0 ]
}

# shot_as SHOT REFERENCE: a screenshot of the main window, and whether it
# shows what the screenshot REFERENCE shows.
shot_as() { screenshot "$1" "$MAIN" && same_pixels "$1" "$2"; }

# shot_of_line DIR N SHOT: a screenshot of the main window once line N is
# shown: once the settings file gives it (the program paints before its
# store timer runs out).
shot_of_line() {
    [ "$(wait_line "$1" "$2")" = "$2" ] || { e2e_cannot "line $2 was never shown"; return 1; }
    screenshot "$3" "$MAIN"
}

# One story saved in five encodings: every form opens, and its lines paint
# as the code page 932 form paints them where the characters are the same;
# the Unicode forms also show a character that code page 932 lacks. The
# last one comes back at the next start.
test_encodings_paint_alike() {
    local dir texts
    dir=$(new_start_dir enc) || return 1
    texts=$(new_start_dir texts) || return 1
    local story=$'一行目\tタブ\tｶﾀｶﾅ ABC\r\n二行目：漢字と かな\r\ncafé ö 三行目\r\n四行目\t\tend\r\n'
    # Clear of Wine's tray window, which a start may draw over the corner.
    write_ini "$dir" '[WINDOW]' 'X=300' 'Y=300'
    printf '%s' "${story//é/e}" | sed 's/ö/o/' | iconv -f UTF-8 -t CP932 >"$texts/cp932.txt"
    printf '%s' "$story" >"$texts/utf8.txt"
    printf '\xEF\xBB\xBF%s' "$story" >"$texts/utf8mark.txt"
    { printf '\xFF\xFE'; printf '%s' "$story" | iconv -f UTF-8 -t UTF-16LE; } >"$texts/utf16le.txt"
    { printf '\xFE\xFF'; printf '%s' "$story" | iconv -f UTF-8 -t UTF-16BE; } >"$texts/utf16be.txt"

    start_main a "$dir" || return 1
    # The code page 932 form's lines 1, 4 and 3, and the UTF-8 form's line
    # 3, are the pictures the others are held to; the first line is the
    # first thing the window shows.
    line_shown() { screenshot "$1" "$MAIN" && [ "$(dark_pixels "$E2E_OUT/$1" 2 16)" != 0 ]; }
    other_line_shown() { line_shown "$1" && ! same_pixels "$1" "$2"; }  # not picture $2
    local xid
    open_through_dialog a "$(win_path "$texts/cp932.txt")" || return 1
    xid=$(probe info "$MAIN" | kv xid)
    check_true "the first line is not blank" wait_for line_shown enc-cp932-1.png
    x_key "$xid" End
    shot_of_line "$dir" 4 enc-cp932-4.png || return 1
    x_key "$xid" Up
    shot_of_line "$dir" 3 enc-cp932-3.png || return 1
    local form
    for form in utf8 utf8mark utf16le utf16be; do
        open_through_dialog a "$(win_path "$texts/$form.txt")" || return 1
        check_true "$form: tabs, kanji and half-width kana as in code page 932" \
            wait_for shot_as "enc-$form-1.png" enc-cp932-1.png
        x_key "$xid" End
        check_true "$form: the last line as in code page 932" wait_for shot_as "enc-$form-4.png" enc-cp932-4.png
        x_key "$xid" Up
        if [ "$form" = utf8 ]; then
            shot_of_line "$dir" 3 enc-utf8-3.png || return 1
        else
            check_true "$form: é and ö as in UTF-8" wait_for shot_as "enc-$form-3.png" enc-utf8-3.png
        fi
    done
    check_false "é and ö are not e and o" same_pixels enc-cp932-3.png enc-utf8-3.png

    # Read again from 文字ｺｰﾄﾞ: a UTF-8 story that reads as code page 932 (a
    # byte UTF-8 never has at its end) as UTF-8, a GBK novel as GBK, which
    # is kept for its next open.
    { printf '%s' "$story"; printf 'x\xFFx\r\n'; } >"$texts/utf8-ff.txt"
    open_through_dialog a "$(win_path "$texts/utf8-ff.txt")" || return 1
    check_true "the new text is shown" wait_for other_line_shown enc-ff-1.png enc-utf16be-3.png
    check_false "read as code page 932 at first" same_pixels enc-ff-1.png enc-cp932-1.png
    from_context_menu e u || return 1
    check_true "read again as UTF-8: as in code page 932" wait_for shot_as enc-ff-utf8-1.png enc-cp932-1.png
    local novel=$'第一章　我们的故事\r\n“你好，世界。”他说。\r\n'
    printf '%s' "$novel" >"$texts/zh-utf8.txt"
    printf '%s' "$novel" | iconv -f UTF-8 -t GBK >"$texts/zh-gbk.txt"
    open_through_dialog a "$(win_path "$texts/zh-utf8.txt")" || return 1
    check_true "the Chinese line is shown" wait_for other_line_shown zh-utf8-1.png enc-ff-utf8-1.png
    open_through_dialog a "$(win_path "$texts/zh-gbk.txt")" || return 1
    check_true "GBK read as code page 932 at first" wait_for other_line_shown zh-gbk-0.png zh-utf8-1.png
    from_context_menu e g || return 1
    check_true "GBK chosen: as its UTF-8 form" wait_for shot_as zh-gbk-1.png zh-utf8-1.png
    check_eq "the choice kept with the text" GBK, "$(ini_get "$dir/Skerrow.ini" RECENT Code1 | cut -c1-4)"
    open_through_dialog a "$(win_path "$texts/utf8.txt")" || return 1
    open_through_dialog a "$(win_path "$texts/zh-gbk.txt")" || return 1
    check_true "opened again: GBK still" wait_for shot_as zh-gbk-again.png zh-utf8-1.png
    open_through_dialog a "$(win_path "$texts/utf16be.txt")" || return 1  # for the restore
    x_key "$xid" End Up
    check_true "run ends" close_and_wait a "$MAIN"
    check_eq "the UTF-16 text's line" 3 "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
    check_eq "the copy is UTF-8 behind its mark" "$(printf '\xEF\xBB\xBF%s' "$story" | od -An -tx1 | tr -d ' \n')" \
        "$(od -An -tx1 "$dir/Skerrow.tmp" | tr -d ' \n')"

    restore_at b "$dir" || return 1
    check_true "restored at the same line, drawn alike" wait_for shot_as enc-restored.png enc-utf16be-3.png
    check_true "second run ends" close_and_wait b "$MAIN"
}


# from_context_menu KEY...: the window's context menu opened with the right
# button, and KEY... typed into it.
from_context_menu() {
    x_mouse mousemove 400 320 sleep 0.1 click 3
    check_true "the context menu opens" open_menu "$E2E_OUT/context-menu.png" || return 1
    timeout "$E2E_STEP_LIMIT" xdotool key --delay 200 "$@" >>"$E2E_TMP/log/xdotool.log" 2>&1 </dev/null
}

# restore_at NAME DIR: a start that answers the restore question with OK;
# back once the window shows, the restore done.
restore_at() {
    local box
    app_start "$1" "$2"
    box=$(msgbox_of "$1") || { e2e_cannot "no restore question"; return 1; }
    probe click "$(kv hwnd <<<"$box")" 1 >/dev/null
    main_shown "$1"
}

# two_stories DIR TEXTS: story.txt and other.txt of 120 numbered lines in
# TEXTS, and the window's place in DIR's settings.
two_stories() {
    for i in $(seq 1 120); do printf 'story %d\r\n' "$i"; done >"$2/story.txt"
    for i in $(seq 1 120); do printf 'other %d\r\n' "$i"; done >"$2/other.txt"
    write_ini "$1" '[WINDOW]' 'X=300' 'Y=300'
}

# place_in INI: the line and the text the settings file gives, as "LINE PATH".
place_in() { printf '%s %s\n' "$(ini_get "$1" BACKUP BackNo)" "$(ini_get "$1" BACKUP BackFile)"; }

# end_from_outside NAME: program NAME ended as End task ends it, its exit
# routine not run; between two of its handlers, so that what the test
# reads is what the program wrote, not a write cut short.
end_from_outside() {
    idle
    app_stop "$1"
}

# The program ended from outside at four moments: each time the settings
# file and the working copy agree, at the line shown.
test_an_ended_program_keeps_its_place() {
    local dir texts ini
    dir=$(new_start_dir ended) || return 1
    texts=$(new_start_dir texts) || return 1
    ini=$dir/Skerrow.ini
    two_stories "$dir" "$texts"

    start_main a "$dir" || return 1
    probe drop "$MAIN" "$(win_path "$texts/story.txt")" >/dev/null
    wait_opened a "$(win_path "$texts/story.txt")" || return 1
    x_key "$(probe info "$MAIN" | kv xid)" 2 5
    wait_line "$dir" 25 >/dev/null
    end_from_outside a
    check_eq "a step stored by itself: its line" "25 $(win_path "$texts/story.txt")" "$(place_in "$ini")"
    check_true "a step stored by itself: its copy" cmp -s "$texts/story.txt" "$dir/Skerrow.tmp"

    restore_at b "$dir" || return 1
    probe drop "$MAIN" "$(win_path "$texts/other.txt")" >/dev/null
    wait_opened b "$(win_path "$texts/other.txt")" || return 1
    end_from_outside b
    check_eq "after a drop: the new text" "1 $(win_path "$texts/other.txt")" "$(place_in "$ini")"
    check_true "after a drop: its copy" cmp -s "$texts/other.txt" "$dir/Skerrow.tmp"

    # The line moved (from the jump dialog), then Esc before the store's
    # own time.
    restore_at c "$dir" || return 1
    x_key "$(probe info "$MAIN" | kv xid)" j
    local jump
    jump=$(dialog_titled c '行指定') || { e2e_cannot "no jump dialog after J"; return 1; }
    x_key "$(dialog_xid "$jump")" 1 0 0 Return
    [ "$(probe wait "$jump" gone 10000)" = state=gone ] || { e2e_cannot "the jump dialog stays"; return 1; }
    x_key_hide "$(probe info "$MAIN" | kv xid)"
    end_from_outside c
    check_eq "right after Esc: the line hidden" 100 "$(ini_get "$ini" BACKUP BackNo)"

    restore_at d "$dir" || return 1
    probe command "$MAIN" $IDM_CLEAR >/dev/null
    wait_for test ! -e "$dir/Skerrow.tmp"
    wait_value "0 " place_in "$ini" >/dev/null
    end_from_outside d
    check_eq "right after a clear: no text" "0 " "$(place_in "$ini")"
    check_eq "right after a clear: no copy" no "$([ -e "$dir/Skerrow.tmp" ] && echo yes || echo no)"
}

# Two texts read by turns keep their places: each drop of a text read
# before, and its item in the context menu's 最近使ったﾌｧｲﾙ (keys R, 2),
# shows it where it was left; the places outlive a program ended from
# outside.
test_every_text_keeps_its_place() {
    local dir texts ini xid story other
    dir=$(new_start_dir recent) || return 1
    texts=$(new_start_dir texts) || return 1
    ini=$dir/Skerrow.ini
    story=$(win_path "$texts/story.txt")
    other=$(win_path "$texts/other.txt")
    two_stories "$dir" "$texts"
    start_main a "$dir" || return 1
    xid=$(probe info "$MAIN" | kv xid)
    probe drop "$MAIN" "$story" >/dev/null
    wait_opened a "$story" || return 1
    x_key "$xid" 2 5
    check_eq "the story read to line 25" 25 "$(wait_line "$dir" 25)"
    probe drop "$MAIN" "$other" >/dev/null
    wait_opened a "$other" || return 1
    x_key "$xid" 4 0
    check_eq "the other text read to line 40" 40 "$(wait_line "$dir" 40)"
    probe drop "$MAIN" "$story" >/dev/null
    wait_opened a "$story" || return 1
    check_eq "the story dropped again: its line" 25 "$(ini_get "$ini" BACKUP BackNo)"
    from_context_menu r 2 || return 1
    check_eq "the other text from the menu: its line" "40 $other" "$(wait_value "40 $other" place_in "$ini")"
    wait_opened a "$other" || return 1
    end_from_outside a
    check_eq "the list after the program ended from outside" \
        "$other 40,0,0 $story 25,0,0" \
        "$(ini_get "$ini" RECENT File1) $(ini_get "$ini" RECENT Place1) $(ini_get "$ini" RECENT File2) $(ini_get "$ini" RECENT Place2)"
    restore_at b "$dir" || return 1
    probe drop "$MAIN" "$story" >/dev/null
    wait_opened b "$story" || return 1
    check_eq "after a restart the story's place survives" 25 "$(wait_line "$dir" 25)"
    # A text read to line 200, then saved again with 7 lines more at its
    # top and 30 at its end, opens on the same sentence.
    printf 'sentence %d\r\n' $(seq 400) >"$texts/long.txt"
    probe drop "$MAIN" "$(win_path "$texts/long.txt")" >/dev/null
    wait_opened b "$(win_path "$texts/long.txt")" || return 1
    xid=$(probe info "$MAIN" | kv xid)
    x_key "$xid" 2 0 0
    check_eq "the long text read to line 200" 200 "$(wait_line "$dir" 200)"
    probe drop "$MAIN" "$story" >/dev/null
    wait_opened b "$story" || return 1
    { printf 'added %d\r\n' $(seq 7); cat "$texts/long.txt"; printf 'appended %d\r\n' $(seq 30); } >"$texts/new.txt"
    mv "$texts/new.txt" "$texts/long.txt"
    probe drop "$MAIN" "$(win_path "$texts/long.txt")" >/dev/null
    wait_opened b "$(win_path "$texts/long.txt")" || return 1
    check_eq "the changed text opens on its sentence" 207 "$(wait_line "$dir" 207)"
    end_from_outside b
}

# Bookmarks put with M at three lines outlive a program ended from outside
# and the start after it, and the list 「しおり」 (B) shows each.
test_bookmarks_outlive_a_kill_and_a_restart() {
    local dir texts ini xid line list
    dir=$(new_start_dir marks) || return 1
    texts=$(new_start_dir mtexts) || return 1
    ini=$dir/Skerrow.ini
    two_stories "$dir" "$texts"
    start_main a "$dir" || return 1
    xid=$(probe info "$MAIN" | kv xid)
    probe drop "$MAIN" "$(win_path "$texts/story.txt")" >/dev/null
    wait_opened a "$(win_path "$texts/story.txt")" || return 1
    for line in 30 5 70; do
        # M only once the typed number has been shown and stored.
        x_key "$xid" $(sed 's/./& /g' <<<"$line")
        wait_line "$dir" "$line" >/dev/null
        x_key "$xid" m
        check_true "the bookmark at $line stored" wait_for grep -q ",$line:0" "$ini"
    done
    end_from_outside a
    check_eq "kept beside the text's entry" ",5:0,30:0,70:0" "$(ini_get "$ini" RECENT Marks1 | cut -c9-)"
    restore_at b "$dir" || return 1
    x_key "$(probe info "$MAIN" | kv xid)" b
    list=$(dialog_titled b 'しおり') || { e2e_cannot "no list of bookmarks after B"; return 1; }
    check_eq "the list shows each" "$(cp932_hex $'5: story 5\n30: story 30\n70: story 70\n')" \
        "$(probe text "$list" $IDC_MARKLIST | kv text)"
    x_key "$(probe info "$list" | kv xid)" Home Return
    check_eq "the list: the one chosen shown" 5 "$(wait_line "$dir" 5)"
    check_true "run ends" close_and_wait b "$MAIN"
}

# A novel in Aozora Bunko's notation reads as read: its ruby, the ｜ before
# a base and an annotation are not shown, and the line paints as the same
# line written without them. Its chapters are moved by with → and ← and
# chosen from the list 「目次」 (line numbers read back as Esc stores them).
test_notation_reads_as_read() {
    local dir texts xid
    dir=$(new_start_dir notation) || return 1
    texts=$(new_start_dir ntexts) || return 1
    write_ini "$dir" '[WINDOW]' 'X=300' 'Y=300'
    printf '%s\r\n' '坊っちゃん' '【テキスト中に現れる記号について】' '' '［＃５字下げ］一［＃「一」は中見出し］' \
        '親譲《おやゆず》りの無鉄砲で｜小供《こども》の時から損［＃「損」に傍点］ばかりしている。' '本文' \
        '［＃５字下げ］二［＃「二」は中見出し］' '本文' | iconv -f UTF-8 -t CP932 >"$texts/aozora.txt"
    printf '%s\r\n' '親譲りの無鉄砲で小供の時から損ばかりしている。' | iconv -f UTF-8 -t CP932 >"$texts/plain.txt"
    start_main a "$dir" || return 1
    xid=$(probe info "$MAIN" | kv xid)
    probe drop "$MAIN" "$(win_path "$texts/aozora.txt")" >/dev/null
    wait_opened a "$(win_path "$texts/aozora.txt")" || return 1
    # line_after KEYS...: the line shown after the keys, as Esc stores it;
    # the window then shown again.
    line_after() {
        x_key_hide "$xid" "$@"
        ini_get "$dir/Skerrow.ini" BACKUP BackNo
        show_again >/dev/null
    }
    # The first step looks for the headings, which is long work that Esc
    # would stop: its line is waited for as the program stores it.
    x_key "$xid" Right
    check_eq "→ from the top: the first heading, then the second; no third" "4 7 7" \
        "$(wait_line "$dir" 4) $(line_after Right) $(line_after Right)"
    check_eq "← from a line after a heading: that heading; then the one before; no earlier" "4 4 4" \
        "$(line_after Home Down Down Down Down Left) $(line_after Right Left) $(line_after Left)"
    x_key "$xid" t
    local list
    list=$(dialog_titled a '目次') || { e2e_cannot "no list of headings after T"; return 1; }
    x_key "$(probe info "$list" | kv xid)" Down Return
    check_eq "the list: the second heading chosen" "state=gone" "$(probe wait "$list" gone 10000)"
    check_eq "the list: its line shown" 7 "$(line_after)"
    x_key "$xid" 5
    shot_of_line "$dir" 5 notation-read.png || return 1
    check_true "the line is not blank" test "$(dark_pixels "$E2E_OUT/notation-read.png" 2 16)" -gt 0
    # Another line before the plain text comes, so that its picture is
    # known to be new.
    x_key "$xid" Home
    wait_line "$dir" 1 >/dev/null
    probe drop "$MAIN" "$(win_path "$texts/plain.txt")" >/dev/null
    wait_opened a "$(win_path "$texts/plain.txt")" || return 1
    check_true "the line in the notation paints as the same line without it" \
        wait_for shot_as notation-plain.png notation-read.png
    check_true "run ends" close_and_wait a "$MAIN"
}
