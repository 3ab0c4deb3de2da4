#!/usr/bin/env bash
# Benchmark of the Lumicore-1 engine on fixed inputs: the shipped water tables,
# the 100 kV / 12 deg / 2.5 mm Al spectrum made by lumispec, and a fixed number
# of histories. Builds nothing: it runs the programs in build/run (or those
# given). Reports
#   - wall-clock histories per second of the whole process (best of --repeats
#     runs; with several --threads values the runs alternate, so that every
#     setting sees the same load of a shared machine),
#   - the SHA-256 of Result.dat of each setting (every repeat must agree);
#     with --reference, another engine build (e.g. the one before a change) is
#     timed in the same alternation and must write the same Result.dat as
#     --threads 1,
#   - instructions (callgrind Ir) of a smaller single-stream run: the whole
#     process, the start-up and result writing alone (a run with 0 histories),
#     and the photon histories alone (collection switched on inside run_history).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
run_dir=$root/build/run
engine=""
data=""
histories=1000000
cg_histories=20000
repeats=3
threads="1"
keep=""
reference=""

usage() {
  cat <<'USAGE'
Usage: bench/run_bench.sh [options]
  --engine PATH            engine to run (default build/run/Lumicore-1)
  --data DIR               directory with Water.mix, Water.xfs and Mus2018.dat
                           (default build/run, where the build copies the shipped data)
  --histories N            histories of the timed runs (default 1000000)
  --callgrind-histories N  histories of the callgrind run, 0 to skip (default 20000)
  --threads "1 2"          --threads values to time, alternating (default "1")
  --repeats N              timed runs per --threads value (default 3)
  --reference PATH         another engine build, timed alongside; its Result.dat
                           must equal that of --threads 1 byte for byte
  --keep DIR               keep the working directory (inputs, Result.dat) in DIR
USAGE
}

while [ $# -gt 0 ]; do
  case "$1" in
    --engine) engine=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    --histories) histories=$2; shift 2 ;;
    --callgrind-histories) cg_histories=$2; shift 2 ;;
    --threads) threads=$2; shift 2 ;;
    --repeats) repeats=$2; shift 2 ;;
    --keep) keep=$2; shift 2 ;;
    --reference) reference=$(realpath "$2"); shift 2 ;;
    -h|--help) usage; exit 0 ;;
    *) echo "run_bench.sh: unknown option $1" >&2; usage >&2; exit 2 ;;
  esac
done

engine=$(realpath "${engine:-$run_dir/Lumicore-1}")
[ -z "$data" ] && data=$run_dir
lumispec=$run_dir/lumispec
for f in "$engine" "$lumispec"; do
  [ -x "$f" ] || { echo "run_bench.sh: $f is missing: build first (cmake --build --preset default)" >&2; exit 1; }
done
for f in Water.mix Water.xfs Mus2018.dat; do
  [ -f "$data/$f" ] || { echo "run_bench.sh: $data/$f is missing (give --data DIR)" >&2; exit 1; }
done

work=${keep:-$(mktemp -d)}
mkdir -p "$work"
[ -n "$keep" ] || trap 'rm -rf "$work"' EXIT
cp "$data/Water.mix" "$data/Water.xfs" "$work/"
(cd "$work" && "$lumispec" --kv 100 --angle 12 --inherent 2.5 --table "$data/Mus2018.dat" -o P_Spectrum.dat)

# history.dat as the control program writes it: d.ddE+dd and CR LF.
set_histories() { printf '%.2E\r\n' "$1" > "$work/history.dat"; }

# Runs an engine (default: the one benchmarked) in the working directory and
# prints its wall time and its CPU time (user + system) in seconds. An engine
# without options reads none: standard input is empty, and end of input
# counts as Enter.
timed_run() {
  local TIMEFORMAT='%3R %3U %3S' t
  t=$({ time (cd "$work" && "${run_engine:-$engine}" --batch "$@" < /dev/null > stdout.txt); } 2>&1)
  awk -v t="$t" 'BEGIN { split(t, f, " "); printf "%.3f %.3f", f[1], f[2] + f[3] }'
}

echo "engine:    $engine"
echo "tables:    $data/Water.mix, $data/Water.xfs (sha256 $(cat "$data/Water.mix" "$data/Water.xfs" | sha256sum | cut -c1-12))"
echo "spectrum:  lumispec --kv 100 --angle 12 --inherent 2.5 (sha256 $(sha256sum < "$work/P_Spectrum.dat" | cut -c1-12))"
echo "machine:   $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

# One timed run of a setting: "ref" (the reference engine) or a --threads value.
run_setting() {
  if [ "$1" = ref ]; then
    run_engine=$reference timed_run
  else
    timed_run --threads "$1"
  fi
}

label() { if [ "$1" = ref ]; then echo "reference"; else echo "--threads $1"; fi; }

if [ "$repeats" -gt 0 ]; then
  set_histories "$histories"
  settings="${reference:+ref }$threads"
  echo
  echo "timed runs: $(tr -d '\r' < "$work/history.dat") histories (nominal), --batch, best of $repeats, alternating"
  [ -z "$reference" ] || echo "reference: $reference"
  declare -A best cpu times hash
  for ((r = 0; r < repeats; r++)); do
    for t in $settings; do
      read -r s c <<< "$(run_setting "$t")"
      times[$t]="${times[$t]:-} $s"
      if [ -z "${best[$t]:-}" ] || awk -v a="$s" -v b="${best[$t]}" 'BEGIN { exit !(a < b) }'; then
        best[$t]=$s
        cpu[$t]=$c
      fi
      h=$(sha256sum < "$work/Result.dat" | cut -c1-16)
      if [ -n "${hash[$t]:-}" ] && [ "${hash[$t]}" != "$h" ]; then
        echo "run_bench.sh: Result.dat of $(label "$t") differs between repeats" >&2
        exit 1
      fi
      hash[$t]=$h
    done
  done
  for t in $settings; do
    ratios=""
    for base in ref 1; do
      [ -n "${best[$base]:-}" ] && [ "$base" != "$t" ] &&
        ratios="$ratios, $(awk -v a="${best[$base]}" -v b="${best[$t]}" 'BEGIN { printf "%.2f", a / b }')x of $(label "$base")"
    done
    awk -v l="$(label "$t")" -v n="$histories" -v b="${best[$t]}" -v all="${times[$t]}" \
        -v c="${cpu[$t]}" -v h="${hash[$t]}" -v r="$ratios" 'BEGIN {
      printf "  %-12s runs%s s\n", l, all
      printf "               best %.3f s (CPU %.3f s) = %.0f histories/s%s; Result.dat %s\n",
             b, c, n / b, r, h }'
  done
  if [ -n "$reference" ] && [ -n "${hash[1]:-}" ]; then
    if [ "${hash[ref]}" = "${hash[1]}" ]; then
      echo "  the reference and --threads 1 write the same Result.dat"
    else
      echo "run_bench.sh: the reference and --threads 1 write DIFFERENT Result.dat files" >&2
      exit 1
    fi
  fi
fi

if [ "$cg_histories" -gt 0 ]; then
  command -v valgrind > /dev/null || { echo "run_bench.sh: valgrind is missing (scripts/bootstrap installs it)" >&2; exit 1; }
  # Total Ir of a callgrind run of the single-stream engine; extra arguments go to valgrind.
  callgrind_ir() {
    (cd "$work" && valgrind --tool=callgrind --callgrind-out-file=callgrind.out "$@" \
       "$engine" --batch < /dev/null > stdout.txt 2> valgrind.txt)
    awk '/^(summary|totals):/ { print $2; exit }' "$work/callgrind.out"
  }
  set_histories 0
  startup=$(callgrind_ir)
  set_histories "$cg_histories"
  histories_only=$(callgrind_ir '--toggle-collect=lumora::run_history(*')
  total=$(callgrind_ir)
  echo
  echo "callgrind: $(cat "$work/history.dat" | tr -d '\r') histories (nominal), single stream; Ir = instructions executed"
  awk -v n="$cg_histories" -v s="$startup" -v h="$histories_only" -v t="$total" 'BEGIN {
    printf "  whole process        %14d Ir\n", t
    printf "  start-up, 0 histories %13d Ir (tables, spectrum, writing an all-zero Result.dat)\n", s
    printf "  (whole - start-up)/N %14.0f Ir per history\n", (t - s) / n
    printf "  inside run_history   %14d Ir = %.0f Ir per history\n", h, h / n }'
  echo "  annotate: callgrind_annotate $work/callgrind.out (with --keep DIR)"
fi
