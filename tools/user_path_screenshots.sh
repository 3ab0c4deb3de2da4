#!/usr/bin/env bash
# Walks a first run of Lumisim-1 the way a user does it, with real mouse clicks
# and key presses on a virtual X display (Xvfb, 96 dpi, no window manager), in
# a fresh copy of a complete working directory (default build/run/):
#   ① 入射Ｘ線スペクトルの計算 -> スペクトル計算 (100 kV, 12 deg, 2.5 mm Al) -> OK
#   ② 上記条件で OK (10000000 histories) -> ③ シミュレーションスタート
#   -> Enter in the engine's terminal, wait for Result.dat, Enter again
#   -> ④ 計算結果読み込み -> ⑤ each of 一次線のみ, 散乱線のみ, 全光子線 with 画像表示
#   -> モンテカルロソースコード.
# Saves docs/image_primary.png, docs/image_scattered.png, docs/image_all.png
# (the main window after each 画像表示) and docs/form2.png (the listing), and
# the engine's terminal at its closing lines into the scratch directory.
set -euo pipefail
cd "$(dirname "$0")/.."
docs=$PWD/docs
source=${1:-build/run}
shipped=(Lumisim-1 Lumicore-1 Lumicore-1.cpp Mus2018.dat Water.mix Water.xfs)
cmake --build --preset default >/dev/null
for f in "${shipped[@]}"; do
  [ -e "$source/$f" ] || { echo "$source/$f is missing" >&2; exit 1; }
done

work=$(mktemp -d)  # holds only what is shipped: no exchange file of an earlier run
for f in "${shipped[@]}"; do cp "$source/$f" "$work/"; done
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 2>"$work/xvfb.log" &
xvfb=$!
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
unset TERMINAL

step() { echo "user path: $*"; }
window() { xdotool search --sync --onlyvisible --name "$1" | head -n1; }
click() {  # window, x, y inside it
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.7
}
snap() {  # window, png file
  xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng >"$2"
}

cd "$work"
./Lumisim-1 >"$work/lumisim.log" 2>&1 &
form1=$(window '^Lumora Monte Carlo Simulation$')
sleep 1

step "① spectrum window, compute with the default conditions, OK"
click "$form1" 200 198                     # Command4 ①
form5=$(window "Tucker's formula")
sleep 0.5
click "$form5" 745 396                     # Command1 スペクトル計算
click "$form5" 745 460                     # Command4 OK
[ -e P_Spectrum.dat ] || { echo "P_Spectrum.dat was not written" >&2; exit 1; }

step "② confirm 10000000 histories, ③ start the engine"
form1=$(window '^Lumora Monte Carlo Simulation$')
click "$form1" 195 314                     # Command1 ②
[ -e history.dat ] || { echo "history.dat was not written" >&2; exit 1; }
click "$form1" 195 374                     # Command2 ③
engine=$(window '^Lumicore-1$')
sleep 1
xdotool windowfocus --sync "$engine" key Return
for _ in $(seq 600); do [ -e Result.dat ] && break; sleep 1; done
[ -e Result.dat ] || { echo "the engine wrote no Result.dat" >&2; exit 1; }
sleep 1
snap "$engine" "$work/engine_terminal.png"
xdotool windowfocus --sync "$engine" key Return
sleep 1

step "④ load the result, ⑤ draw each image"
click "$form1" 195 434                     # Command7 ④
for choice in "primary 463 314" "scattered 463 344" "all 463 374"; do
  set -- $choice
  click "$form1" "$2" "$3"                 # Option1, Option2 or Option3
  click "$form1" 459 422                   # Command3 ⑤
  snap "$form1" "$docs/image_$1.png"
done

step "source listing"
click "$form1" 417 582                     # Command8
form2=$(window 'プログラムソースコード')
sleep 1
snap "$form2" "$docs/form2.png"
echo "user path: done; scratch directory $work"
