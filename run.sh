#!/usr/bin/env bash
# Builds and starts Trovix. Without a display it starts its own Xvfb screen.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps

build_dir=build/release
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTROVIX_BUILD_TESTS=OFF \
    -DTROVIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j2

if [[ -z "${DISPLAY:-}" ]]; then
    source scripts/xvfb-session.sh
    start_xvfb
    echo "run.sh: no display, started Xvfb on $DISPLAY"
fi
if [[ -n ${XVFB_PID:-} ]]; then
    # Not exec: the server this script started must stop when Trovix quits.
    "$build_dir/src/trovix" "$@"
else
    exec "$build_dir/src/trovix" "$@"
fi
