#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Разработчики Vibrona
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the pictures of the user manual (docs/manual/ru/images) from the real window
# on a virtual display:
#
#     bash scripts/manual-screenshots.sh [BUILD-FOLDER]
#
# SCREEN=:N chooses the virtual display; by default a free one is taken.
# Needs a built program, Xvfb, xdotool and ImageMagick; with openbox installed the
# pictures show window frames and captions. Numbers follow the Russian locale.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
PROGRAM="$BUILD/src/ui/vibrona"
OUT="$ROOT/docs/manual/ru/images"
# The virtual display: SCREEN=:N when given, else the first one no X server holds.
if [ -z "${SCREEN:-}" ]; then
  for N in $(seq 90 199); do
    if [ ! -e "/tmp/.X$N-lock" ] && [ ! -e "/tmp/.X11-unix/X$N" ]; then
      SCREEN=":$N"
      break
    fi
  done
fi
mkdir -p "$OUT"

# The program starts from its defaults and keeps its view choices away from the user's.
XDG_CONFIG_HOME="$(mktemp -d)"
export XDG_CONFIG_HOME

PIDS=()
cleanup() {
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
    kill "${PIDS[$i]}" 2>/dev/null || true
  done
  rm -rf "$XDG_CONFIG_HOME"
}
trap cleanup EXIT

Xvfb "$SCREEN" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
export DISPLAY="$SCREEN"
sleep 1
if command -v openbox >/dev/null; then
  openbox >/dev/null 2>&1 &
  PIDS+=($!)
  sleep 1
fi
LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 "$PROGRAM" >/dev/null 2>&1 &
PIDS+=($!)

# Copies picture $1 to $2 with numbered red marks on the parts of the window
# (client coordinates; the frame's border and caption are measured from the size).
numbered() {
  local Size Width Height Left Top Args=()
  Size=$(identify -format '%w %h' "$OUT/$1")
  Width=${Size% *}
  Height=${Size#* }
  Left=$(((Width - 833) / 2))
  Top=$((Height - 659 - Left))
  local Marks=("1 166 15" "2 166 44" "3 120 75" "4 140 195" "5 100 315" "6 190 90"
               "7 520 250" "8 520 460" "9 300 650")
  for Mark in "${Marks[@]}"; do
    read -r N MX MY <<<"$Mark"
    MX=$((MX + Left))
    MY=$((MY + Top))
    Args+=(-fill '#c0001a' -stroke white -strokewidth 1.5 -draw "circle $MX,$MY $((MX + 10)),$MY"
           -stroke none -fill white -annotate "+$((MX - 4))+$((MY + 5))" "$N")
  done
  convert "$OUT/$1" -font DejaVu-Sans-Bold -pointsize 13 "${Args[@]}" "$OUT/$2"
}

# The visible window whose caption is exactly $1.
window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }
# Clicks at client coordinates of the main window.
click() { xdotool mousemove --window "$MAIN" "$1" "$2" click 1; sleep 0.6; }
# Types $3 into the settings row at ($1, $2) and leaves the row with key $4.
setting() { click "$1" "$2"; xdotool key ctrl+a; xdotool type "$3"; xdotool key "$4"; sleep 0.3; }
# The window with its frame.
shot() { import -frame -window "$(window "$1")" "$OUT/$2"; }
# A part of the main window, without the frame: WIDTHxHEIGHT+X+Y.
part() { import -window "$MAIN" -crop "$1" +repage "$OUT/$2"; }
# The first session of the manual: M and N of 400, K of 60, then Ctrl+R.
first_session() {
  setting 125 133 400 Down
  setting 125 235 400 Down
  setting 125 253 60 Up
  click 330 70
  xdotool key ctrl+r
  sleep 1.5
}

MAIN="$(window Vibrona)"
xdotool windowactivate --sync "$MAIN"
sleep 1

# The generator menu, and a meander of five harmonics.
click 30 44
# The menu is a window of its own: the screen around the button, found by the mouse.
eval "$(xdotool getmouselocation --shell)"
import -window root -crop "360x240+$((X - 38))+$((Y - 68))" +repage "$OUT/generator-menu.png"
click 53 105
shot "Количество гармоник" harmonics-count.png
xdotool key Return
sleep 0.5

# The first session: five periods in 400 samples, a DFT of the same size.
first_session
xdotool mousemove --window "$MAIN" 260 560
sleep 0.6
shot Vibrona main-window.png
part 169x340+0+300 spectrum-list.png
part 169x280+0+0 settings.png
numbered main-window.png main-window-parts.png

# The same signals with the default settings: zero padding and leakage.
setting 125 133 200 Down
setting 125 235 4000 Down
setting 125 253 200 Up
click 330 70
xdotool key ctrl+r
sleep 1.5
xdotool mousemove --window "$MAIN" 330 440
sleep 0.6
part 661x236+172+403 spectrum-padded.png

# An invalid signal: the frequency of signal 1 set to 0.
click 437 90
xdotool key ctrl+a
xdotool type "0"
xdotool key Return
xdotool key ctrl+r
sleep 1
import -frame -window "$(xdotool getactivewindow)" "$OUT/error.png"
xdotool key Return
sleep 0.5

# The bulk change dialog and the About box.
click 30 44
click 107 183
shot "Изменение сигналов" signals-change.png
xdotool key Escape
sleep 0.5
click 146 44
shot "О программе \"Vibrona\"" about.png
xdotool key Escape
sleep 0.5

# The spectrum in decibels: a meander of twenty harmonics under Hamming's window, M and
# N of 4000, K of 1000.
click 30 44
click 53 105
xdotool key ctrl+a
xdotool type 20
xdotool key Return
sleep 0.5
setting 125 133 4000 Down
setting 125 235 4000 Down
setting 125 253 1000 Up
click 125 271
xdotool key F4
sleep 0.5
xdotool key Down Return
sleep 0.3
click 330 70
xdotool key ctrl+r
sleep 2
# The chart's menu: "Амплитуда в дБ" is its fifth command.
xdotool mousemove --window "$MAIN" 500 500 click 3
sleep 0.6
xdotool key Down Down Down Down Down Return
sleep 1
xdotool mousemove --window "$MAIN" 330 70
sleep 0.3
part 661x236+172+403 spectrum-db.png

# The whole grid: the first session again in a taller window with the grid dragged open.
xdotool key ctrl+a
click 30 44
click 53 105
xdotool key Return
sleep 0.5
first_session
xdotool windowsize "$MAIN" 833 820
sleep 0.8
xdotool mousemove --window "$MAIN" 500 161 mousedown 1
xdotool mousemove --window "$MAIN" 500 200
xdotool mousemove --window "$MAIN" 500 263 mouseup 1
sleep 0.8
part 661x263+172+0 grid.png

echo "Pictures written to $OUT"
