#!/usr/bin/env bash
# Rewrites the golden Result.dat of the end-to-end regression test from the
# built engine: the fixture water tables, P_Spectrum.dat of this directory (the
# 100 kV / 12 deg / 2.5 mm Al spectrum, made with `lumispec --kv 100 --angle 12
# --inherent 2.5`) and history.dat of this directory, single stream.
# Run it only when a change is meant to alter the engine's results, and say so
# in the commit: the golden file pins every byte the engine writes.
#   tests/engine/gold/regenerate.sh [path/to/Lumicore-1]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
engine=$(realpath "${1:-$here/../../../build/run/Lumicore-1}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/../fixtures/Water.mix" "$here/../fixtures/Water.xfs" "$here/P_Spectrum.dat" \
   "$here/history.dat" "$work/"
(cd "$work" && "$engine" --batch < /dev/null > /dev/null)
cp "$work/Result.dat" "$here/Result.dat"
echo "wrote $here/Result.dat"
