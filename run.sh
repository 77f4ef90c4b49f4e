#!/usr/bin/env bash
# Builds a release build of Quarvel and starts it on the display.
#   ./run.sh                    start Quarvel
#   ./run.sh --screenshot FILE  start it under Xvfb, save a PNG of the screen once the splash is gone
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh --run-only
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset release "${launcher[@]}" >/dev/null
cmake --build --preset release
program=build/release/bin/quarvel

if [ "${1:-}" = "--screenshot" ]; then
  out=${2:?"--screenshot needs a file name"}
  case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1" & pid=$!
    sleep "${QUARVEL_SHOT_DELAY:-6}"
    import -window root "$2"
    kill $pid; wait $pid 2>/dev/null || true' _ "$program" "$out"
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display found (DISPLAY is not set); try ./run.sh --screenshot shot.png" >&2
  exit 1
fi
exec "$program"
