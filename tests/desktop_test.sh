#!/usr/bin/env bash
# The shipped program on a Wine desktop with a notification area, driven as a
# user drives it: the mouse through xdotool, the screen through screenshots.
#   desktop_test.sh BUILD [SHOTS]   SHOTS: where the screenshots go
# It drags the dialog, opens both pop-up menus, hides the dialog behind the
# tray icon and brings it back, restarts the stand-in pad (the tray icon then
# turns busy), and exits through the tray menu.
set -uo pipefail
source=$(cd "$(dirname "$0")/.." && pwd); build=$(cd "${1:?build folder}" && pwd)
. "$source/tests/support/checks.sh"
shots=${2:-$build/screenshots}; mkdir -p "$shots"
export PADCONFIG_BUILD=$build PADCONFIG_PREFIX=desk DISPLAY=$(cat "$build/wine/display") LANG=ja_JP.UTF-8
# Programs left running are started through wine-run itself, which ends in
# exec: their $! is the program's own id, which a kill ends.
wine() { "$source/scripts/wine-run" "$@"; }
drive() { wine "$build/bin/drive.exe" "$@"; }
screen() { import -display "$DISPLAY" -window root "$1"; }
desktop_w=1024; taskbar_top=747  # Wine's virtual desktop and the top of its taskbar
# The part of the desktop above the taskbar that changed between two screenshots: W H X Y.
changed() {
  convert "$1" "$2" -crop "${desktop_w}x${taskbar_top}+0+0" +repage -compose difference -composite \
    -threshold 5% -trim -format '%w %h %X %Y' info: | tr -d '+'
}
# Where the tray icon stands: the last thing on the right of the taskbar.
tray_icon() {
  convert "$1" -crop "200x20+$((desktop_w - 200))+$((taskbar_top + 1))" +repage -fuzz 10% -trim -format '%w %h %X %Y' info: |
    tr -d '+' | awk -v x0=$((desktop_w - 200)) -v y0=$((taskbar_top + 1)) '{print x0 + $3 + int($1 / 2), y0 + $4 + int($2 / 2)}'
}
crop_dialog() {  # screenshot, name
  set -- "$1" "$2" $(drive rect | tr -d '\r')
  convert "$1" -crop "${3}x${4}+${5}+${6}" +repage "$shots/$2.png"
}
# Two pictures differ in this many pixels; a picture that cannot be compared
# gives no number, and so fails either way.
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1; }
differ() { local n; n=$(differing_pixels "$1" "$2"); [[ $n =~ ^[0-9]+$ ]] && [ "$n" != 0 ]; }
same() { local n; n=$(differing_pixels "$1" "$2"); [ "$n" = 0 ]; }
# Opens the tray icon's menu; leaves its place in menu_box (W H X Y).
open_tray_menu() {
  xdotool mousemove 500 300; sleep 0.5  # no tip over the icon in the first shot
  screen "$tmp/before-menu.png"
  read -r icon_x icon_y < <(tray_icon "$tmp/before-menu.png")
  xdotool mousemove "$icon_x" "$icon_y" click 3
  drive wait-menu sleep 300  # painted
  screen "$tmp/menu.png"
  read -r -a menu_box < <(changed "$tmp/before-menu.png" "$tmp/menu.png")
}
# The first and the last item of an open menu.
click_first_item() { xdotool mousemove $((menu_box[2] + 30)) $((menu_box[3] + 14)) click 1; }
click_last_item() { xdotool mousemove $((menu_box[2] + 30)) $((menu_box[3] + menu_box[1] - 12)) click 1; }

tmp=$build/desktop_test; rm -rf "$tmp"; mkdir -p "$tmp"  # kept for a look after a failure
"$source/scripts/wine-run" "$build/bin/padsim.exe" COM21 --buttons 12 --direction 9 --masks 5,3,0,0 --reboot-delay 500 \
  > "$tmp/wire.log" 2>&1 & sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null' EXIT
wait_for "the stand-in's start-up line" 10 holds "$tmp/wire.log" "^padsim: a pad" || exit 1
"$source/scripts/wine-run" "$build/bin/padconfig.exe" & tool=$!
check "the dialog comes up" drive wait-dialog sleep 500
screen "$tmp/start.png"; crop_dialog "$tmp/start.png" startup

# Dragging by the background: press at the bottom left, outside every control.
read -r _ _ x0 y0 < <(drive rect | tr -d '\r')
xdotool mousemove $((x0 + 15)) $((y0 + 520)) mousedown 1 sleep 0.2 mousemove $((x0 + 5)) $((y0 + 510)) \
  sleep 0.2 mousemove $((x0 - 85)) $((y0 + 470)) sleep 0.2 mouseup 1
sleep 0.5
read -r _ _ x1 y1 < <(drive rect | tr -d '\r')
check "dragging the background moves the dialog by the mouse's way (-100, -50)" \
  test "$((x1 - x0)),$((y1 - y0))" = "-100,-50"

# The dialog's own pop-up menu at the click point.
screen "$tmp/before.png"
xdotool mousemove $((x1 + 40)) $((y1 + 490)) click 3
drive wait-menu sleep 300  # painted
screen "$tmp/dialog-menu.png"
read -r -a menu_box < <(changed "$tmp/before.png" "$tmp/dialog-menu.png")
check "a right click opens the menu at the click point" \
  test "${menu_box[2]:-0},${menu_box[3]:-0}" = "$((x1 + 40)),$((y1 + 490))"
convert "$tmp/dialog-menu.png" -crop "$((menu_box[0] + 40))x$((menu_box[1] + 40))+$((menu_box[2] - 20))+$((menu_box[3] - 20))" \
  +repage "$shots/dialog-menu.png"
xdotool mousemove $((menu_box[2] + 30)) $((menu_box[3] + 35)) click 1  # "タスクトレイに入れる(&R)"
check "the menu's second item hides the dialog" drive wait-hidden
sleep 0.5; screen "$tmp/tray.png"
read -r icon_x icon_y < <(tray_icon "$tmp/tray.png")
convert "$tmp/tray.png" -crop "120x30+$((icon_x - 100))+$taskbar_top" +repage -scale 300% "$shots/tray-icon.png"

xdotool mousemove "$icon_x" "$icon_y" click 1
check "a left click on the icon leaves the dialog hidden" drive stays-hidden 1000
open_tray_menu
convert "$tmp/menu.png" -crop "$((menu_box[0] + 60))x$((menu_box[1] + 50))+$((menu_box[2] - 20))+$((menu_box[3] - 20))" \
  +repage "$shots/tray-menu.png"
echo "menu at ${menu_box[*]}"; click_first_item  # "タスクトレイから出す(&O)"
check "the tray menu's first item brings the dialog back" drive wait-shown

# A restart, after a read: the box, and from then on the busy icon.
drive click 1005
check "the stand-in pad is read" wait_for "the stand-in's record of the read" 10 holds "$tmp/wire.log" 'tool> Ini_Disp'
check "and the dialog is idle again" drive wait-idle sleep 300
screen "$tmp/read.png"; crop_dialog "$tmp/read.png" after-read
check "the restart succeeds and says so" eval 'drive click 1075 wait-box box-text | tr -d "\r" | grep -qx "リブート成功"'
drive sleep 300
screen "$tmp/restart.png"
convert "$tmp/restart.png" -crop "${desktop_w}x${taskbar_top}+0+0" +repage -scale 75% "$shots/restart-box.png"
check "the box closes and the dialog is idle again" drive ok-box wait-idle sleep 300
check "the tray command hides the dialog" drive command 40004 wait-hidden sleep 500
screen "$tmp/busy.png"
read -r icon_x icon_y < <(tray_icon "$tmp/busy.png")
convert "$tmp/busy.png" -crop "120x30+$((icon_x - 100))+$taskbar_top" +repage -scale 300% "$shots/tray-icon-busy.png"
check "the busy icon differs from the idle one" differ "$shots/tray-icon.png" "$shots/tray-icon-busy.png"

open_tray_menu
click_last_item  # "終了(&X)"
end_of "$tool" 15 "the tool"
check "exiting through the tray menu ends the tool with status 0" test "$ended" = 0
sleep 0.5
screen "$tmp/after.png"
right_of_taskbar() { convert "$1" -crop "60x30+$((desktop_w - 60))+$taskbar_top" +repage "$2"; }
right_of_taskbar "$tmp/start.png" "$tmp/tray-before.png"; right_of_taskbar "$tmp/after.png" "$tmp/tray-after.png"
check "no tray icon is left behind" same "$tmp/tray-before.png" "$tmp/tray-after.png"
right_of_taskbar "$tmp/busy.png" "$tmp/tray-busy.png"
check "and the comparison sees an icon where there is one" differ "$tmp/tray-before.png" "$tmp/tray-busy.png"
check "the stand-in saw the restart" grep -q 'tool> reboot' "$tmp/wire.log"

# An English user's face with a transcript, and a --lang without one: a message, no dialog.
LANG=en_US.UTF-8 "$source/scripts/wine-run" "$build/bin/padconfig.exe" --port COM1 --log "Z:${tmp//\//\\}\\dialog.log" & tool=$!
check "an English user's dialog is in English" eval 'drive wait-dialog title | grep -q "USB game pad settings"'
reads=$(grep -c 'tool> Ini_Disp' "$tmp/wire.log")
more_reads() { [ "$(grep -c 'tool> Ini_Disp' "$tmp/wire.log")" -gt "$reads" ]; }
drive click 1005
check "the English dialog reads the pad" wait_for "the stand-in's record of the English read" 10 more_reads
drive wait-idle sleep 300
screen "$tmp/read-en.png"; crop_dialog "$tmp/read-en.png" after-read-en
drive close; end_of "$tool" 15 "the English dialog"
check "the dialog's transcript holds its read" grep -q '> Ini_Disp' "$tmp/dialog.log"
"$source/scripts/wine-run" "$build/bin/padconfig.exe" --lang xx & tool=$!
drive wait-box box-text ok-box > "$tmp/bad-lang.txt"
end_of "$tool" 15 "the refusing tool"
check "--lang xx is refused in both languages, with status 2 and no dialog" \
  eval 'test "$ended" = 2 && grep -q "en (English)" "$tmp/bad-lang.txt" && grep -q "英語" "$tmp/bad-lang.txt"'

finish
