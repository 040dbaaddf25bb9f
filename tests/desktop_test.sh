#!/usr/bin/env bash
# The shipped program on a Wine desktop with a notification area, driven as a
# user drives it: the mouse through xdotool, the screen through screenshots.
#   desktop_test.sh BUILD [SHOTS]   SHOTS: where the screenshots go
# It drags the dialog, takes items of both pop-up menus by the mouse, hides
# the dialog behind the tray icon and brings it back, sees the icon turn busy
# after a restart, and exits through the tray menu. What the actions do to the
# pad and the dialog is the scenario and start-up tables' to check.
set -uo pipefail
source=$(cd "$(dirname "$0")/.." && pwd); build=$(cd "${1:?build folder}" && pwd)
. "$source/tests/support/checks.sh"
shots=${2:-$build/screenshots}; mkdir -p "$shots"
export PADCONFIG_BUILD=$build PADCONFIG_PREFIX=desk DISPLAY=$(cat "$build/wine/display") LANG=ja_JP.UTF-8
# Programs left running are started through wine-run too: it ends in exec,
# so their $! is the program's own id.
drive() { "$source/scripts/wine-run" "$build/bin/drive.exe" "$@"; }
must() { "$@" || { echo "FAILED: $*"; exit 1; }; }  # a step the rest depends on
screen() { import -display "$DISPLAY" -window root "$1"; }
desktop_w=1024; taskbar_top=747  # Wine's virtual desktop and the top of its taskbar
# Where the tray icon stands: the last thing on the right of the taskbar.
tray_icon() {
  convert "$1" -crop "200x20+$((desktop_w - 200))+$((taskbar_top + 1))" +repage -fuzz 10% -trim -format '%w %h %X %Y' info: |
    tr -d '+' | awk -v x0=$((desktop_w - 200)) -v y0=$((taskbar_top + 1)) '{print x0 + $3 + int($1 / 2), y0 + $4 + int($2 / 2)}'
}
crop() {  # screenshot, name, W H X Y: a part of it among the screenshots
  convert "$1" -crop "${3}x${4}+${5}+${6}" +repage "$shots/$2.png"
}
crop_dialog() { crop "$1" "$2" $(drive rect | tr -d '\r'); }
# The open menu's place (W H X Y) in menu_box, once it is up.
menu_opened() { must drive wait-menu; read -r -a menu_box < <(drive menu-rect | tr -d '\r'); }
# Two pictures differ in this many pixels; a picture that cannot be compared
# gives no number, and so fails either way.
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1; }
differ() { local n; n=$(differing_pixels "$1" "$2"); [[ $n =~ ^[0-9]+$ ]] && [ "$n" != 0 ]; }
# A screenshot in FILE whose right end of the taskbar is not what it was at
# the start, before any icon.
tray_end() { convert "$1" -crop "60x30+$((desktop_w - 60))+$taskbar_top" +repage "$2"; }
icon_shown() { screen "$1" && tray_end "$1" "$1.end.png" && differ "$tmp/start.png.end.png" "$1.end.png"; }
# The icon as it is now differs from the idle one, and is there.
icon_turned_busy() {
  icon_shown "$tmp/busy.png" &&
    convert "$tmp/busy.png" -crop "120x30+$((icon_x - 100))+$taskbar_top" +repage -scale 300% "$shots/tray-icon-busy.png" &&
    differ "$shots/tray-icon.png" "$shots/tray-icon-busy.png"
}

tmp=$build/desktop_test; rm -rf "$tmp"; mkdir -p "$tmp"  # kept for a look after a failure
trap 'kill ${sim:-} ${tool:-} 2>/dev/null; wait ${sim:-} ${tool:-} 2>/dev/null' EXIT
start_pad "$tmp/wire.log" "$source/scripts/wine-run" "$build/bin/padsim.exe" COM21 --buttons 12 --direction 9 --masks 5,3,0,0 --reboot-delay 500
screen "$tmp/start.png"; tray_end "$tmp/start.png" "$tmp/start.png.end.png"
"$source/scripts/wine-run" "$build/bin/padconfig.exe" & tool=$!
check "the dialog comes up" drive wait-dialog sleep 500
screen "$tmp/dialog.png"; crop_dialog "$tmp/dialog.png" startup

# Dragging by the background: press at the bottom left, outside every control.
read -r _ _ x0 y0 < <(drive rect | tr -d '\r')
xdotool mousemove $((x0 + 15)) $((y0 + 520)) mousedown 1 sleep 0.2 mousemove $((x0 + 5)) $((y0 + 510)) \
  sleep 0.2 mousemove $((x0 - 85)) $((y0 + 470)) sleep 0.2 mouseup 1
moved() { read -r _ _ x1 y1 < <(drive rect | tr -d '\r'); [ "$((x1 - x0)),$((y1 - y0))" = "-100,-50" ]; }
check "dragging the background moves the dialog by the mouse's way (-100, -50)" wait_for "the dialog's move" 10 moved

# The dialog's own pop-up menu at the click point.
xdotool mousemove $((x1 + 40)) $((y1 + 490)) click 3
menu_opened
check "a right click opens the menu at the click point" test "${menu_box[2]:-0},${menu_box[3]:-0}" = "$((x1 + 40)),$((y1 + 490))"
drive sleep 300; screen "$tmp/dialog-menu.png"  # painted
crop "$tmp/dialog-menu.png" dialog-menu $((menu_box[0] + 40)) $((menu_box[1] + 40)) $((menu_box[2] - 20)) $((menu_box[3] - 20))
xdotool mousemove $((menu_box[2] + 30)) $((menu_box[3] + 35)) click 1  # "タスクトレイに入れる(&R)"
check "the menu's second item hides the dialog" drive wait-hidden
check "behind an icon in the tray" wait_for "the tray icon" 10 icon_shown "$tmp/tray.png"
read -r icon_x icon_y < <(tray_icon "$tmp/tray.png")
convert "$tmp/tray.png" -crop "120x30+$((icon_x - 100))+$taskbar_top" +repage -scale 300% "$shots/tray-icon.png"

# A right click on the icon opens its menu (a left click before it is the
# start-up table's: the dialog leaves it to the dialog manager).
xdotool mousemove "$icon_x" "$icon_y" click 1 click 3
menu_opened
check "a right click on the icon opens its menu" test "${#menu_box[@]}" = 4
drive sleep 300; screen "$tmp/menu.png"  # painted
crop "$tmp/menu.png" tray-menu $((menu_box[0] + 60)) $((menu_box[1] + 50)) $((menu_box[2] - 20)) $((menu_box[3] - 20))
xdotool mousemove $((menu_box[2] + 30)) $((menu_box[3] + 14)) click 1  # "タスクトレイから出す(&O)"
check "the tray menu's first item brings the dialog back" drive wait-shown

# A read and a restart, for their screenshots and the busy icon after them.
drive click 1005
must wait_for "the stand-in's record of the read" 10 holds "$tmp/wire.log" 'tool> Ini_Disp'
must drive wait-idle sleep 300
screen "$tmp/read.png"; crop_dialog "$tmp/read.png" after-read
must drive click 1075 wait-box sleep 300
screen "$tmp/restart.png"
convert "$tmp/restart.png" -crop "${desktop_w}x${taskbar_top}+0+0" +repage -scale 75% "$shots/restart-box.png"
must drive ok-box wait-idle command 40004 wait-hidden
check "after a restart the tray icon turns busy" wait_for "the busy icon" 10 icon_turned_busy

xdotool mousemove "$icon_x" "$icon_y" click 3
menu_opened
xdotool mousemove $((menu_box[2] + 30)) $((menu_box[3] + menu_box[1] - 12)) click 1  # "終了(&X)"
end_of "$tool" 15 "the tool"
check "exiting through the tray menu ends the tool with status 0" test "$ended" = 0
# Wine takes away the icon of a program that has ended: that the tool takes
# its own away is the start-up test's to check.

# An English user's face after a read, for the screenshots, with the
# dialog's transcript; a --lang without one: a message, no dialog.
LANG=en_US.UTF-8 "$source/scripts/wine-run" "$build/bin/padconfig.exe" --port COM1 --log "Z:${tmp//\//\\}\\dialog.log" & tool=$!
reads=$(grep -c 'tool> Ini_Disp' "$tmp/wire.log")
more_reads() { [ "$(grep -c 'tool> Ini_Disp' "$tmp/wire.log")" -gt "$reads" ]; }
must drive wait-dialog click 1005
must wait_for "the stand-in's record of the English read" 10 more_reads
must drive wait-idle sleep 300
screen "$tmp/read-en.png"; crop_dialog "$tmp/read-en.png" after-read-en
drive close; end_of "$tool" 15 "the English dialog"
check "the dialog's transcript holds its read" holds "$tmp/dialog.log" '> Ini_Disp'
"$source/scripts/wine-run" "$build/bin/padconfig.exe" --lang xx & tool=$!
drive wait-box box-text ok-box > "$tmp/bad-lang.txt"
end_of "$tool" 15 "the refusing tool"
check "--lang xx is refused in both languages, with status 2 and no dialog" \
  eval 'test "$ended" = 2 && holds "$tmp/bad-lang.txt" "en (English)" && holds "$tmp/bad-lang.txt" "英語"'

finish
