#!/usr/bin/env bash
# Regenerates docs/form1.png and docs/form5.png: the two windows of Lumisim-1 on
# a virtual X display (Xvfb, 96 dpi), grabbed from the screen, run in the
# working directory build/run/ (which must hold Mus2018.dat).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset default --target window_screenshots
xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb build/gui/window_screenshots "${1:-build/run}" docs
echo "wrote docs/form1.png and docs/form5.png"
