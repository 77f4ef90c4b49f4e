#!/usr/bin/env bash
# Runs the benchmarks several times and prints the median of each, with the machine it ran on,
# as the rows of the README's benchmark table take them. Build the benchmarks first:
#   cmake --preset bench && cmake --build --preset bench
#   scripts/bench-medians.sh [REPETITIONS] [FILTER]
# REPETITIONS defaults to 5, FILTER (a Google Benchmark regular expression) to every benchmark,
# e.g. scripts/bench-medians.sh 7 'CreateMainWindow|QuersummeChain'.
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=${1:-5}
filter=${2:-.}
bench=build/bench/bin/quarvel_bench
if [ ! -x "$bench" ]; then
  echo "bench-medians.sh: $bench is missing; build it with:" >&2
  echo "  cmake --preset bench && cmake --build --preset bench" >&2
  exit 2
fi
case "$repetitions" in '' | *[!0-9]* | 0 | 1)
  echo "bench-medians.sh: REPETITIONS must be a whole number of at least 2: $repetitions" >&2
  exit 2 ;;
esac

# The machine: a median only compares with one taken on the same processor under a like load.
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo "Machine: ${cpu:-unknown processor}, $(nproc) cores, $(awk '{printf "%.1f", $1}' /proc/loadavg) load average at start"
echo "Median of $repetitions runs (CPU time of the process, and wall time)"
echo
echo "| Benchmark | CPU (median) | Wall (median) |"
echo "|---|---|---|"
# Only the aggregates are printed; the medians are the rows named <benchmark>_median.
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$bench" --benchmark_filter="$filter" \
  --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_color=false \
  | awk '$1 ~ /_median$/ { name = $1; sub(/_median$/, "", name);
                           printf "| %s | %s %s | %s %s |\n", name, $4, $5, $2, $3 }'
echo
echo "Load average at the end: $(awk '{printf "%.1f", $1}' /proc/loadavg)"
