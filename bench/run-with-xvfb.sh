#!/usr/bin/env bash
# Runs one command (a benchmark and its arguments) against a private Xvfb server, with Qt on
# its xcb platform, so that clipboard and screen benchmarks talk to a real X server.
#   bench/run-with-xvfb.sh [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGUMENT ...]
set -euo pipefail

screen=1920x1080x24
if [[ ${1:-} == --screen ]]; then
    screen=${2:?"--screen needs a size such as 3840x2160x24"}
    shift 2
fi
if (($# == 0)); then
    echo "usage: $0 [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGUMENT ...]" >&2
    exit 2
fi

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-session.sh"
start_xvfb "$screen"
export QT_QPA_PLATFORM=xcb
"$@"
