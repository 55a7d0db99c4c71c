#!/usr/bin/env bash
# The real program driven as a user would, on the display of with-display:
#   program_e2e.sh RUN_DIRECTORY [SCREENSHOT_DIRECTORY]
# It runs from a copy of the run directory whose path holds blanks and
# Chinese, with xdg-open replaced by a stub that logs what it was given.
set -u
run_directory=$1
shots=${2:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/peiseqi-e2e.XXXXXX")
program_pid=
cleanup() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid"
        wait "$program_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        failures=$((failures + 1))
    fi
}

run="$work/配色 器 run"
mkdir -p "$run" "$work/bin"
cp -a "$run_directory/." "$run/"
log="$work/opened.log"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' "$log" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
touch "$log"

# xdotool's --name misses UTF-8 titles; _NET_WM_NAME is matched here.
window_titled() {  # prints the id of the visible window whose title starts so
    local id
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        # GTK's hidden leader windows share the title; the real one is framed.
        if xprop -id "$id" _NET_WM_NAME 2>/dev/null | grep -q "= \"$1" &&
            xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q "= "; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
wait_window() {  # wait_window TITLE_PREFIX: prints its id
    local i
    for i in $(seq 100); do
        if window_titled "$1"; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}
appears() { wait_window "$1" >/dev/null; }
shown() { window_titled "$1" >/dev/null; }
wait_gone() {
    local i
    for i in $(seq 50); do
        window_titled "$1" >/dev/null || return 0
        sleep 0.1
    done
    return 1
}
outer_geometry() {  # prints "left top width height" of the framed window
    local id=$1 x y w h extents l r t b
    x=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(xwininfo -id "$id" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(xwininfo -id "$id" | sed -n 's/.*Width: *//p')
    h=$(xwininfo -id "$id" | sed -n 's/.*Height: *//p')
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r l r t b <<<"$extents"
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
pixel() {  # pixel X Y: the screen's colour there as RRGGBB
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -n 1
}
click() { xdotool mousemove --sync "$1" "$2" click 1; }
allowed_actions() {  # the actions the window manager offers on the window
    xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | sed 's/.*= //; s/_NET_WM_ACTION_//g; s/,//g'
}
offers() {  # offers ID ACTION: the window manager offers that action
    grep -qw "$2" <<<"$(allowed_actions "$1")"
}
lacks() { ! offers "$@"; }
# The Motif functions the program asks for; openbox ignores the minimise and
# maximise bits (it offers minimise on every dialog), other managers follow them.
motif_function_bit() {  # motif_function_bit ID NAME: asks for that function
    local hints flags functions bit
    hints=$(xprop -id "$1" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
    read -r flags functions _ <<<"$hints"
    case $2 in
        RESIZE) bit=2 ;; MOVE) bit=4 ;; MINIMIZE) bit=8 ;; MAXIMIZE) bit=16 ;; CLOSE) bit=32 ;;
    esac
    # Functions are listed (flag 1) and not inverted (bit 1, "all but").
    (((flags & 1) && !(functions & 1) && (functions & bit)))
}
asks_for() { motif_function_bit "$1" "$2"; }
refuses() { ! motif_function_bit "$1" "$2"; }
screen_w=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x.*/\1/p')
screen_h=$(xdpyinfo | sed -n 's/.*dimensions: *[0-9]*x\([0-9]*\) .*/\1/p')

(cd / && exec "$run/peiseqi") &
program_pid=$!

main=$(wait_window "岚屿坊配色器 V1.1.11.5 绿色版   技术支持论坛：")
check "the main window opens with its title" test -n "$main"
[ -n "$main" ] || exit 1
sleep 1
read -r left top width height <<<"$(outer_geometry "$main")"
check "outer size 795 x 533 (was ${width} x ${height})" test "$width" -eq 795 -a "$height" -eq 533
check "centred at $(((screen_w - 795) / 2)),$(((screen_h - 533) / 2)) (was $left,$top)" \
    test "$left" -eq $(((screen_w - 795) / 2)) -a "$top" -eq $(((screen_h - 533) / 2))
check "no css.html is left in the run directory" test ! -e "$run/css.html"
for action in MINIMIZE CLOSE; do
    check "the main window can $action" offers "$main" $action
done
for action in MAXIMIZE_HORZ MAXIMIZE_VERT RESIZE; do
    check "the main window cannot $action" lacks "$main" $action
done
for function in MINIMIZE CLOSE MOVE; do
    check "the main window asks for $function" asks_for "$main" $function
done
for function in MAXIMIZE RESIZE; do
    check "the main window refuses $function" refuses "$main" $function
done
# The client area's origin; controls sit at their layout places from it.
cx=$((left + 1))
cy=$((top + 21))
# The preview's navigation bar, right of the all-categories button.
check "the preview shows the sky-blue bar ($(pixel $((cx + 430)) $((cy + 376))))" \
    test "$(pixel $((cx + 430)) $((cy + 376)))" != "FFFFFF"
sky=$(pixel $((cx + 430)) $((cy + 376)))
if [ -n "$shots" ]; then
    mkdir -p "$shots"
    import -window root -crop "795x533+$left+$top" +repage "$shots/main-window.png"
fi

# The close box asks as Esc does; Cancel keeps the window. openbox keeps a
# place for a maximise button beside a minimise one; it must do nothing.
click $((left + width - 11)) $((top + 10))
check "the close box asks" appears "是否关闭？"
xdotool key Escape
sleep 0.5
check "Cancel after the close box keeps the main window" shown "岚屿坊配色器"
click $((left + width - 27)) $((top + 10))
sleep 0.5
read -r _ _ width_now height_now <<<"$(outer_geometry "$main")"
check "the title bar cannot maximise it (${width_now} x ${height_now})" \
    test "$width_now" -eq 795 -a "$height_now" -eq 533

# Each skin changes the bar's colour.
previous=$sky
for x in 109 200 291 382 18; do
    click $((cx + 8 + x + 8)) $((cy + 320 + 24))
    sleep 1
    now=$(pixel $((cx + 430)) $((cy + 376)))
    check "skin radio at $x changes the bar ($previous -> $now)" test "$now" != "$previous"
    previous=$now
done
check "back on sky blue the bar is sky blue again" test "$previous" = "$sky"

# A typed value, then Tab: the preview follows.
bar() { pixel $((cx + 430)) $((cy + 376)); }
click $((cx + 6 + 193 + 30)) $((cy + 5 + 19 + 10))
xdotool type "#0000FF"
xdotool key Tab
sleep 1
check "typing #0000FF into s1 paints the bar blue ($(bar))" test "$(bar)" = "0000FF"

# A palette pick replaces the typed value: 颜色选择器1 lies at 260,19 in
# 分组框1 (6,5); its drop-down opens below it, red is the 13th swatch (rows
# of 7) behind a one-pixel border and the padding.
picker_x=$((cx + 6 + 260))
picker_y=$((cy + 5 + 19))
click $((picker_x + 24)) $((picker_y + 10))
sleep 0.5
red_x=$((picker_x + 1 + 3 + 5 * 20 + 9))
red_y=$((picker_y + 20 + 1 + 3 + 1 * 20 + 9))
check "the drop-down shows red as its 13th colour ($(pixel $red_x $red_y))" \
    test "$(pixel $red_x $red_y)" = "FF0000"
click $red_x $red_y
sleep 1
# Right of the text and inside the border, the box shows its background.
box_colour=$(pixel $((cx + 6 + 193 + 58)) $((cy + 5 + 19 + 10)))
check "picking red paints the box s1 red ($box_colour)" test "$box_colour" = "FF0000"
check "picking red paints the bar red ($(bar))" test "$(bar)" = "FF0000"

# Generate, copy, the message, the follow-up page.
click $((cx + 562 + 16 + 96)) $((cy + 361 + 31 + 48))
code=$(wait_window "生成代码")
check "the code window opens" test -n "$code"
if [ -n "$code" ]; then
    sleep 1
    read -r cl ct cw ch <<<"$(outer_geometry "$code")"
    check "code window 480 x 300 (was ${cw} x ${ch})" test "$cw" -eq 480 -a "$ch" -eq 300
    check "the code window can CLOSE" offers "$code" CLOSE
    for action in MAXIMIZE_HORZ MAXIMIZE_VERT RESIZE; do
        check "the code window cannot $action" lacks "$code" $action
    done
    for function in CLOSE MOVE; do
        check "the code window asks for $function" asks_for "$code" $function
    done
    for function in MINIMIZE MAXIMIZE RESIZE; do
        check "the code window refuses $function" refuses "$code" $function
    done
    if [ -n "$shots" ]; then
        import -window root -crop "480x300+$cl+$ct" +repage "$shots/code-window.png"
    fi
    click $((cl + 1 + 8 + 228)) $((ct + 21 + 130 + 27))
    box=$(wait_window "恭喜")
    check "the 恭喜 box shows" test -n "$box"
    # The stylesheet of this design: s1 picked red, every other slot empty.
    printf '%s\r\n' \
        '.skin-box-bd{background:#FF0000;}' \
        '.skin-box-bd .menu-list{background:#FF0000;}' \
        '.skin-box-bd .menu-list .menu{background:#FF0000;}' \
        '.skin-box-bd .menu-list .menu .link{background:#FF0000;}' \
        '.skin-box-bd .menu-list .menu .link:hover{}' \
        '.skin-box-bd .menu-list .menu .title{}' \
        '.skin-box-bd .menu-list .menu .title:hover{}' \
        "$(printf '.all-cats\t{}')" \
        '.all-cats .link{}' \
        '.all-cats .link:hover{}' \
        '.all-cats .link .title{}' \
        '.all-cats .link .title:hover{}' \
        '.popup-content .popup-inner{}' \
        '.popup-content .cat-name{}' \
        '.popup-content .cat-name:hover{}' \
        '.popup-inner .cats-tree .fst-cat{}' \
        '.popup-inner .cats-tree .fst-cat:hover{}' \
        '.snd-pop-inner {}' \
        '.snd-pop-inner .fst-cat-bd .snd-cat-name{}' >"$work/expected.css"
    printf '%s' '.snd-pop-inner .fst-cat-bd .snd-cat-name:hover{}' >>"$work/expected.css"
    xclip -selection clipboard -o >"$work/copied.css" 2>/dev/null
    check "the clipboard holds the stylesheet byte for byte" \
        cmp "$work/expected.css" "$work/copied.css"
    xdotool key Return
    sleep 1
    check "the follow-up page was opened" grep -qx "http://.*/?free" "$log"
    click $((cl + 1 + 7 + 200)) $((ct + 21 + 6 + 60))
    xdotool key Escape
    check "Esc closes the code window" wait_gone "生成代码"
fi

# Right-click on the preview opens no menu (no new window appears). The
# code window may stay mapped a moment after it lost its frame.
sleep 0.5
before=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | wc -l)
xdotool mousemove --sync $((cx + 400)) $((cy + 470)) click 3
sleep 1
after=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | wc -l)
check "right-click on the preview opens no menu ($before -> $after windows)" test "$before" -eq "$after"
xdotool key Escape 2>/dev/null
sleep 0.5
wait_window "是否关闭？" >/dev/null && xdotool key Escape && sleep 0.5

# The version notes, then the next change brings the preview back.
click $((cx + 662 + 29)) $((cy + 362 + 9))
sleep 1
notes=$(pixel $((cx + 430)) $((cy + 376)))
check "版本特性 replaces the preview ($notes)" test "$notes" != "FF0000"
if [ -n "$shots" ]; then
    import -window root -crop "550x140+$((cx + 8))+$((cy + 362))" +repage "$shots/version-notes.png"
fi
click $((cx + 8 + 109 + 8)) $((cy + 320 + 24))
sleep 1
check "the next change brings the preview back" \
    test "$(pixel $((cx + 430)) $((cy + 376)))" = "FF0000"

# Esc asks; Cancel keeps; OK opens the forum and ends with status 0.
click $((cx + 400)) $((cy + 330))
xdotool key Escape
check "Esc on the main window asks" appears "是否关闭？"
xdotool key Escape
sleep 1
check "Cancel keeps the main window" shown "岚屿坊配色器"
click $((cx + 400)) $((cy + 330))
xdotool key Escape
wait_window "是否关闭？" >/dev/null
xdotool key Return
status=-1
for i in $(seq 50); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
        wait "$program_pid"
        status=$?
        program_pid=
        break
    fi
    sleep 0.1
done
check "OK ends the program with status 0 (was $status)" test "$status" -eq 0
check "the forum page was opened" grep -qx "http://.*/?guan" "$log"
check "no css.html is left at the end" test ! -e "$run/css.html"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
