#!/usr/bin/env bash
# Full-screen capture to a PNG file on a busy 3840 x 2160 X screen: trovix-screencapture
# against scrot, maim and ImageMagick's import, then capture_bench (the screenshot service
# from call to decoded image, and its parts). Needs build/bench (or $BUILD_DIR) with the
# targets trovix-screencapture and capture_bench.
#   bench/capture-4k.sh [RUNS]      (RUNS counted runs of each command, 7 by default)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${BUILD_DIR:-$here/../build/bench}
runs=${1:-7}
width=3840
height=2160
tool="$build/src/trovix-screencapture"
bench="$build/bench/capture_bench"
for binary in "$tool" "$bench"; do
    if [[ ! -x $binary ]]; then
        echo "capture-4k: $binary is missing; build the release tree first (see bench/README.md)" >&2
        exit 1
    fi
done

# The other capture programs, from Debian's packages.
missing=()
for package in scrot maim imagemagick xvfb x11-utils python3; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]} > 0)); then
    echo "capture-4k: installing ${missing[*]}"
    sudo_cmd=()
    ((EUID == 0)) || sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# ImageMagick 6's own programs by path: another "convert" may come first in PATH.
magick_bin=/usr/bin

work=$(mktemp -d)
source "$here/../scripts/xvfb-session.sh"
start_xvfb "${width}x${height}x24"
trap 'stop_xvfb; rm -rf "$work"' EXIT
echo "capture-4k: Xvfb on $DISPLAY at ${width}x${height}"

# Busy content, so that the PNG encoders have real work: a gradient desktop, a photo-like
# fractal with sensor noise, a noisy radial glow and a page of source code in small type.
sed 's/%/%%/g; s/\\/\\\\/g' "$here"/../src/engine/*.cpp | expand | cut -c1-110 | sed -n 1,150p >"$work/code.txt"
"$magick_bin/convert" -size "${width}x${height}" gradient:'#1c2740'-'#c8905a' \
    \( -size 1600x1100 plasma:fractal -blur 0x2 -attenuate 0.4 +noise Gaussian \) -geometry +80+980 -composite \
    \( -size 1900x2000 xc:'#fbfbfd' -fill '#202020' -font DejaVu-Sans-Mono -pointsize 16 \
    -annotate +20+30 "$(cat "$work/code.txt")" \) -geometry +1860+80 -composite \
    \( -size 1500x700 radial-gradient:'#ffe070'-'#3050a0' -attenuate 0.6 +noise Gaussian \) -geometry +160+120 -composite \
    -depth 8 "$work/busy.png"
# A window of ImageMagick's display shows it over the whole screen for the whole run (a root
# background set by display does not last: the server soon repaints the root with its own).
# Captures of the screen are polled until they hold the picture (a blank screen compresses to
# a few KB).
"$magick_bin/display" -immutable -borderwidth 0 -geometry +0+0 "$work/busy.png" &
display_pid=$!
trap 'kill "$display_pid" 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT
for attempt in $(seq 1 50); do
    "$tool" -x -t png -R0,0,$width,$height "$work/check.png"
    (($(stat -c %s "$work/check.png") > 2000000)) && break
    if ((attempt == 50)); then
        echo "capture-4k: the busy picture did not reach the screen" >&2
        exit 1
    fi
    sleep 0.2
done

python3 "$here/capture_timing.py" --runs "$runs" --size "${width}x${height}" --out "$work" \
    "trovix=$tool -x -t png -R0,0,$width,$height {out}" \
    "scrot=scrot -o {out}" \
    "maim=maim {out}" \
    "import=$magick_bin/import -window root {out}"

echo
QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="trovix.*.debug=false" TROVIX_SCREENCAPTURE="$tool" "$bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only --benchmark_min_time=0.5
