# The options sheet and the small dialogs, opened from keys and menus and
# operated as a user does. Sourced by run.sh; start_main, close_and_wait and
# open_through_dialog come from the other test files.

IDM_VERSION=40004
IDM_HELP=40005

# dialog_titled NAME TITLE...: the top-level dialog of program NAME whose
# title is one of the TITLEs, waited for until it shows (a dialog shows once
# it has filled in its controls); prints its hwnd.
dialog_titled() {
    local name=$1 end hwnd title title_hex want=()
    shift
    for title in "$@"; do want+=("$(cp932_hex "$title")"); done
    end=$((SECONDS + E2E_WAIT_MS / 1000))
    while [ $SECONDS -le $end ]; do
        for hwnd in $(probe find '#32770' $(owner_filter "$name") --timeout 1000 | kv_all hwnd); do
            title=$(probe info "$hwnd" | kv title)
            for title_hex in "${want[@]}"; do
                if [ "$title" = "$title_hex" ]; then
                    [ "$(probe wait "$hwnd" visible "$E2E_WAIT_MS")" = state=visible ] || return 1
                    printf '%s\n' "$hwnd"
                    return 0
                fi
            done
        done
        sleep 0.2
    done
    return 1
}
kv_all() { sed -n "s/^$1=//p"; }

dialog_xid() { probe info "$1" | kv xid; }

# field_text DIALOG ID: the text of a dialog's control, as code page 932 hex.
field_text() { probe text "$1" "$2" | kv text; }

# A text of 250 lines, named in Korean, opened through the open dialog.
start_with_250_lines() {
    local dir=$1 texts
    texts=$(new_start_dir texts) || return 1
    for i in $(seq 1 250); do printf 'line %d\r\n' "$i"; done >"$texts/줄-lines.txt"
    TEXT250=$(win_path "$texts/줄-lines.txt")
    start_main a "$dir" || return 1
    open_through_dialog a "$TEXT250"
}

test_options_sheet_from_f12() {
    local dir sheet
    dir=$(new_start_dir options) || return 1
    start_main a "$dir" || return 1
    x_key "$(probe info "$MAIN" | kv xid)" F12
    # The system words the caption of a sheet of properties in its own language.
    sheet=$(dialog_titled a 'ｵﾌﾟｼｮﾝ設定のプロパティ' 'Properties for ｵﾌﾟｼｮﾝ設定' 'ｵﾌﾟｼｮﾝ設定')
    [ -n "$sheet" ] || { e2e_cannot "no options sheet after F12"; return 1; }
    check_eq "the sheet reads in full" "unreadable=0" "$(probe unreadable "$sheet" | grep unreadable)"
    # The focus starts on the first check box: four tabs reach "ask before
    # exiting", space ticks it, one more tab selects the interval, which
    # the typed digits replace; Enter is OK.
    x_key "$(dialog_xid "$sheet")" Tab Tab Tab Tab space Tab 1 2 Return
    check_eq "sheet closed by Enter" "state=gone" "$(probe wait "$sheet" gone 10000)"
    check_eq "General page keys stored at once, and only they" \
        "$(printf '%s\n' '[WINDOW] FLAG=1' '[OPTION] BlankSkip=0' '[OPTION] LineDisp=0' '[BACKUP] BackFlg=1' \
            '[OPTION] EndFlg=1' '[OPTION] RunWait=12' '[OPTION] TabsCol=4' '[OPTION] Notation=1' \
            '[OPTION] RubyParen=0' | sort)" \
        "$(ini_lines "$dir/Skerrow.ini" | sort)"

    # The exit now asks: the new setting took effect.
    probe close "$MAIN" >/dev/null
    local box
    box=$(msgbox_of a) || { e2e_cannot "EndFlg from the sheet did not ask at exit"; return 1; }
    probe click "$(kv hwnd <<<"$box")" 1 >/dev/null
    check_true "program ends after OK" app_wait_exit a "$E2E_STEP_LIMIT"
}

test_jump_and_file_information() {
    local dir jump info
    dir=$(new_start_dir jump) || return 1
    start_with_250_lines "$dir" || return 1
    local xid
    xid=$(probe info "$MAIN" | kv xid)

    x_key "$xid" j
    jump=$(dialog_titled a '行指定') || { e2e_cannot "no jump dialog after J"; return 1; }
    check_eq "the jump dialog reads in full" "unreadable=0" "$(probe unreadable "$jump" | grep unreadable)"
    # 250 lines: three digits, but room for "100%". A Backspace after the
    # fifth character shows that every key came: 123 if it was refused.
    x_key "$(dialog_xid "$jump")" 1 2 3 4 5 BackSpace
    check_eq "jump field takes four characters" "$(cp932_hex 123)" "$(wait_value "$(cp932_hex 123)" field_text "$jump" 1011)"
    x_key "$(dialog_xid "$jump")" BackSpace BackSpace BackSpace 7 Return
    check_eq "jump dialog closed" "state=gone" "$(probe wait "$jump" gone 10000)"

    x_key "$xid" p
    info=$(dialog_titled a 'ﾌｧｲﾙ情報') || { e2e_cannot "no file information after P"; return 1; }
    check_eq "file information" \
        "$(utf8_hex "ﾌｧｲﾙ名："$'\r\n'"$TEXT250"$'\r\n\r\n'"全行数：250行"$'\r\n'"現在行：7行"$'\r\n'"現在位置：2%")" \
        "$(probe text "$info" 1015 | kv utf8)"
    x_key "$(dialog_xid "$info")" Return
    check_eq "file information closed by Enter" "state=gone" "$(probe wait "$info" gone 10000)"

    # Esc leaves the line as it was.
    x_key "$xid" F4
    jump=$(dialog_titled a '行指定') || { e2e_cannot "no jump dialog after F4"; return 1; }
    x_key "$(dialog_xid "$jump")" 9 Escape
    check_eq "jump dialog closed by Esc" "state=gone" "$(probe wait "$jump" gone 10000)"
    check_true "run ends" close_and_wait a "$MAIN"
    check_eq "line 7 shown last" 7 "$(ini_get "$dir/Skerrow.ini" BACKUP BackNo)"
}

test_version_and_help() {
    local dir version box
    dir=$(new_start_dir version) || return 1
    start_main a "$dir" || return 1
    probe command "$MAIN" $IDM_VERSION >/dev/null
    version=$(dialog_titled a 'ﾊﾞｰｼﾞｮﾝ表示') || { e2e_cannot "no version dialog"; return 1; }
    check_eq "the version dialog reads in full" "unreadable=0" "$(probe unreadable "$version" | grep unreadable)"
    check_eq "version" "$(cp932_hex Ver1.00)" "$(probe text "$version" 1001 | kv text)"
    check_ne "site address" "" "$(probe text "$version" 1002 | kv text)"
    x_key "$(dialog_xid "$version")" Escape
    check_eq "version dialog closed by Esc" "state=gone" "$(probe wait "$version" gone 10000)"

    # No help file in the start folder.
    probe command "$MAIN" $IDM_HELP >/dev/null
    box=$(msgbox_of a) || { e2e_cannot "no message without a help file"; return 1; }
    check_eq "missing help file" "$(cp932_hex 'ﾍﾙﾌﾟﾌｧｲﾙが存在しません。')" "$(kv text <<<"$box")"
    check_eq "missing help file caption" "$(cp932_hex 'ｴﾗｰ')" "$(kv caption <<<"$box")"
    probe click "$(kv hwnd <<<"$box")" 1 >/dev/null
    probe wait "$(kv hwnd <<<"$box")" gone 10000 >/dev/null

    # With the help file: Wine's HTML Help opens its window (its page stays
    # blank here: there is no HTML engine in the test prefix).
    cp "$(dirname "$E2E_EXE")/Skerrow.chm" "$dir/"
    probe command "$MAIN" $IDM_HELP >/dev/null
    check_true "help window opens" quietly probe find 'HH Parent' $(owner_filter a) --timeout "$E2E_WAIT_MS"
    # The command has run to its end once the window answers again; a box
    # it had put up would be there by then.
    idle
    check_false "no error message with the help file" quietly probe msgbox --any $(owner_filter a)
    check_true "run ends" close_and_wait a "$MAIN"
}
