# Sourced by the benchmark scripts: starts a private Xvfb of a given size on a free display.
# The caller stops it with stop_bench_xvfb (run-with-xvfb.sh does so on exit).

# start_bench_xvfb WIDTHxHEIGHTxDEPTH
start_bench_xvfb() {
    local screen=$1
    local display_number=120
    while [[ -e "/tmp/.X${display_number}-lock" || -e "/tmp/.X11-unix/X${display_number}" ]]; do
        display_number=$((display_number + 1))
    done
    Xvfb ":${display_number}" -screen 0 "$screen" -nolisten tcp +extension RANDR >/dev/null 2>&1 &
    BENCH_XVFB_PID=$!
    export DISPLAY=":${display_number}"
    for _ in $(seq 1 100); do
        if xdpyinfo >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    echo "bench: Xvfb did not start on $DISPLAY" >&2
    return 1
}

stop_bench_xvfb() {
    if [[ -n ${BENCH_XVFB_PID:-} ]]; then
        kill "$BENCH_XVFB_PID" 2>/dev/null || true
        wait "$BENCH_XVFB_PID" 2>/dev/null || true
        BENCH_XVFB_PID=
    fi
}
