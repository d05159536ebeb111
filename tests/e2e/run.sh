#!/usr/bin/env bash
# The download as a user gets it, under Wine on a private display beside e2e_scene.exe (the game's
# stand-in). Every wait is on something seen. --demo: a few captures and the link, printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
export TESSIVO_BUILD=${TESSIVO_BUILD:-$root/build} TESSIVO_XVFB=1
source "$root/scripts/wine-env.sh" # a private prefix, display and wineserver; absolute paths
cross=$TESSIVO_BUILD/win64 art=$TESSIVO_BUILD/e2e-artifacts work=$TESSIVO_BUILD/e2e-work
app=$TESSIVO_BUILD/e2e-unpacked/Tessivo-1.0.0-win64
rx=600 ry=100 record=() # the region of setting.ini; the pairs that Tessivo should hold
r=0 g=1 b=2 y=3 p=4 # a pair is two colour letters, upper then lower; each indexes:
blobs=(E66827 75E627 27E4E6 E6C727 4827E6) discs=(FF0000 00FF00 0000FF FFFF00 C800C8) # a skin:
codes=02468cegikoqsuwACEGIMOQSU # hues 20 95 180 50 250; a pair's code: codes[5 * upper + lower], 1
host=$(sed -n 's/^TESSIVO_SIMULATOR_HOST:[A-Z]*=//p' "$cross/CMakeCache.txt")
dpi=${TESSIVO_DPI:-96} # both programs scale with it; the region and the scenes are screen pixels
S() { echo $(($1 * dpi / 96 + ($1 * dpi % 96 * 2 >= 96) - ($1 * dpi % 96 * 2 <= -96))); } # a length

Fail() { echo "FAIL $*" >&2
  import -window root "$art/failure.png"
  exit 1; }
Is() { [ "$2" = "$3" ] || Fail "$1: expected '$2', seen '$3'"; }
Expect() { local end=$((SECONDS + ${wait:-10})) seen # what, text, probe: polls the probe for it
  until seen=$("${@:3}" 2>/dev/null || true) && [ "$seen" = "$2" ] || ((SECONDS > end)); do
    sleep 0.05
  done
  Is "$1" "$2" "$seen"; }
Windows() { # search terms: how many windows match, ids in $work/ids; "?" on an X error (one gone)
  xdotool search --onlyvisible "$@" 2>&1 | awk -v ids="$work/ids" '/Error/ {e = 1} /^[0-9]+$/ {n++; print >ids} END {print e ? "?" : n + 0}'; }
Window() { Expect "windows $*" 1 Windows "$@" # search terms: the one window's id
  cat "$work/ids"; }
Pixels() { # origin x, y, points x,y from there: the screen's colours at them, as "RRGGBB " each
  import -window root miff:- | convert - -crop "+$1+$2" +repage -alpha off -depth 8 -format "$(printf '%%[hex:p{%s}] ' "${@:3}")" info:; }
Area() { echo "$(S $1)x$(S $2)+$((tx + $(S $3)))+$((ty + $(S $4)))"; } # w, h, x, y of Tessivo's
Marked() { import -window root miff:- | convert - -crop "$(Area 40 15 170 25)" +repage \
  -format '%[fx:standard_deviation > 0]' info:; }
Differing() { import -window root "$work/screen.miff" # x, y: sample view pixels unlike the screen
  convert "$work/screen.miff[$(Area 50 100 5 25)]" +repage -sample 50x100 "$work/view.miff"
  compare -metric AE "$work/view.miff" "$work/screen.miff[50x100+$1+$2]" null: 2>&1; }
Of() { local -n table=$1 # a table, pairs: the pairs' two entries each
  for pair in "${@:2}"; do
    echo -n "${table[${pair::1}]} ${table[${pair:1}]} "
  done; }
Link() { echo -n "http://${host:-simulator.invalid}/simu/ps.html?_" # pairs: the link to them
  for pair; do
    echo -n "${codes:5*${pair::1}+${pair:1}:1}1"
  done; }
Click() { xdotool mousemove $((tx + $(S $1))) $((ty + $(S $2))) click ${3:-1}; } # x, y at 100 %[, button]
Focus() { local at=$(xdotool mousemove $(($1 + $3)) $(($2 + $4)) click 1 getmouselocation) # x, y,
  xdotool windowfocus "${at##*window:}" # origin[, keys]: a click there, the window there focused
  (($# < 5)) || xdotool key "${@:5}"; }
Times() { printf "$2 %.0s" $(seq $1); } # count, key
Keys() { Focus ${kx:-8} $(S -9) $rx $ry --delay 10 "$@"; } # to Brimlet

StartWine # and StopWine when this script ends; the ZIP unpacked afresh:
(cd "$cross" && cpack >/dev/null)
rm -rf "${app%/*}"
unzip -q "$cross/${app##*/}.zip" -d "${app%/*}"
Is "the files of the ZIP" "Brimlet.exe GUIDE-EN.txt GUIDE-JA.txt setting.ini tessivo.exe" "$(echo $(ls "$app"))"
mkdir -p "$art" "$work" # the record is kept from here on:
rm -f "$art"/*.png "$work/exit-code" "$work"/record* "$work/links.txt" "$work/history.html"
printf '[REGION]\r\nX=%d\r\nY=%d\r\n[SETTING]\r\nKEEP=1\r\nAUTO=0\r\n[COLOR]\r\nRED=20\r\nGREEN=95\r\nBLUE=180\r\nYELLOW=50\r\nPURPLE=250\r\n' $rx $ry >"$work/setting.ini" # the skin's hues
for pair in gr bb ry yp; do # the scene's pairs, a line each, each shown until Space
  echo "${blobs[${pair::1}]} ${blobs[${pair:1}]}"
done >"$work/scene.txt"
Of blobs pg >"$work/second.txt" # the second scene's one pair
StartScene() { wine "$cross/bin/e2e_scene.exe" "$@" >/dev/null 2>&1 & # x, y, pairs, title: its window
  Window --name "^$4 "; }
StartScene $rx $ry "$work/scene.txt" scene >/dev/null
StartScene $((rx + 55)) $ry "$work/second.txt" second >/dev/null

ShowsRecord() { local x points=() # the record view's first row: the record, then an empty place
  for ((x = 15; x <= 15 + 20 * ${#record[@]}; x += 20)); do
    points+=($(S $x),$(S 140) $(S $x),$(S 160))
  done
  Expect "the record view" "$(Of discs "${record[@]}")888888 888888 " Pixels $tx $ty "${points[@]}"; }
Capture() { # pair[, command]: the pair shown in the sample view, it captures (none: auto capture)
  Expect "the sample view's blobs" "$(Of blobs $1)" Pixels $tx $ty $(S 30),$(S 50) $(S 30),$(S 100)
  "${@:2}"
  record+=($1)
  ShowsRecord; }
Next() { xdotool key space # pair[, command]: the scene's next pair, captured
  Capture "$@"; }
ExportLink() { local link=$(Link "${record[@]}") # once record.txt holds the record: the link
  Expect "record.txt" "${link#*\?_}" sed 's/\r$//' "$work/record.txt"
  Click 250 10
  box=$(Window --name '^URL生成$')
  xdotool windowfocus "$box" key Return
  Expect "confirmation boxes after Enter" 0 Windows --name '^URL生成$'
  ((${#record[@]} > 496)) || Expect "the link on the clipboard" "$link" xclip -o -selection clipboard; } # not a cut one
StartTessivo() { rm -f "$work/exit-code" # on a Japanese Windows, no LANGUAGE: Japanese
  (cd "$work" && LC_ALL=ja_JP.UTF-8 wine "$app/tessivo.exe" >/dev/null 2>&1 && echo 0 >"$work/exit-code" ||
    echo $? >"$work/exit-code") 2>/dev/null & # any exit code written; the shell's notices kept out
  tessivo=$(Window --name '^Tessivo$') # no window manager: its geometry is the client area's
  eval "$(xdotool getwindowgeometry --shell "$tessivo" | sed -n 's/^X=/tx=/p; s/^Y=/ty=/p')"; }
StartTessivo
Capture gr Click 50 10
Focus 25 50 $rx $ry
for pair in bb ry yp; do # Alt+F1 reaches Tessivo from any window of its Wine session
  Next $pair xdotool key alt+F1
done
ExportLink
if [ "${1:-}" = --demo ]; then
  printf 'captured %s (upper lower, of red green blue yellow purple)\nthe link on the clipboard: %s\n' "${record[*]}" "$(Link "${record[@]}")"
  exit
fi

Click 310 10
Expect "Brimlet's frame left, right, below" "FF8000 FF8000 FF8000 " Pixels $((rx - 4)) $ry 2,50 55,50 29,101
Keys $(Times 55 Right)
Expect "pixels of the sample view unlike the screen at the second scene" 0 Differing $((rx + 55)) $ry
Focus 25 50 $((rx + 55)) $ry # Brimlet's keys moved the region there; a drag back:
Capture pg xdotool key alt+F1
xdotool mousemove $((rx + 63)) $((ry + $(S -9))) mousedown 1 mousemove $((rx + 8)) $((ry + $(S -9))) mouseup 1
Expect "pixels of the sample view unlike the screen at the region after a drag" 0 Differing $rx $ry
Keys $(Times 46 shift+Left) $(Times 96 shift+Up) $(Times 42 shift+Right) $(Times 92 shift+Down) $(Times 55 Right) # the smallest region is 8 x 8: 4 more is 50 x 100 again
Expect "the frame's title and the label" 2 Windows --name '^655, 100, 50 x 100$'
Focus 63 $(S -9) $rx $ry s Right Return
Expect "the region Enter saved, and a second frame S placed, an arrow moved" "X=655 Y=100 W=50 H=100 X=718 Y=125 W=25 H=50" eval 'echo $(grep -o "^[XYWH]=[0-9]*" "$work/setting.ini")'
import -window root "$art/label-saved.png"
Close() { Focus $(S 300) $(S 150) $tx $ty alt+F4
  Expect "Tessivo's exit code after Alt+F4" 0 cat "$work/exit-code"; }
Close
Expect "Brimlet's windows after Tessivo ended" 0 Windows --class Brimlet
sed -i -e 's/^AUTO=0/AUTO=1/' -e '/^\[REGION2\]/,/^H=/d' "$work/setting.ini" # auto capture, the next box alone
StartTessivo
Expect "pixels of the first sample after a restart unlike the saved region" 0 Differing $((rx + 55)) $ry
Click 310 10
Expect "Brimlet's frame" "FF8000 " Pixels $((rx + 51)) $ry 2,50
kx=63 Keys $(Times 55 Left)
Expect "the sample after Brimlet moved the region" 0 Differing $rx $ry
Focus 25 50 $rx $ry
for pair in gr bb ry yp; do # the pair shown as the region moved is none; each after it is
  Next $pair
done
Is "the AUTO mark" 1 "$(Marked)"
Focus $(S 300) $(S 150) $tx $ty alt+F2
Expect "the AUTO mark after Alt+F2" 0 Marked
Close

# A real game, where the films lie beside the project: ffplay shows a left next box at 30 frames a
# second on the bare screen to Tessivo's defaults, auto capture on: the record is what it showed.
films=$root/../shared/films fx=$((rx + 210))
if [ -f "$films/truth.json" ]; then
  rm -f "$work/record.txt"
  printf '[REGION]\r\nX=%d\r\nY=%d\r\nW=32\r\nH=64\r\n[SETTING]\r\nKEEP=1\r\nAUTO=1\r\n' $((fx + 8)) $((ry + 8)) >"$work/setting.ini"
  StartTessivo
  ffplay -v error -noborder -alwaysontop -autoexit -an -left $fx -top $ry -vf 'trim=end_frame=634,crop=48:80:281:101' "$films/film15.mp4"
  shown=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["films"]["film15"]["left"]["pairs"].lower())' "$films/truth.json")
  link=$(Link $shown)
  Expect "the real game's record.txt" "${link#*\?_}" sed 's/\r$//' "$work/record.txt"
  Close
fi
echo "PASS: the download, captures, links, Brimlet, saving, auto capture, closing and a real game"
