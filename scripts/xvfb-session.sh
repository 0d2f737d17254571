# Sourced by test.sh, run.sh and the benchmark scripts: starts a private Xvfb server on a
# free display and stops it when the calling script exits. A caller that sets an EXIT trap
# of its own calls stop_xvfb from it.

# start_xvfb [WIDTHxHEIGHTxDEPTH], 1920x1080x24 by default.
start_xvfb() {
    local screen=${1:-1920x1080x24}
    local display_number=90
    while [[ -e "/tmp/.X${display_number}-lock" || -e "/tmp/.X11-unix/X${display_number}" ]]; do
        display_number=$((display_number + 1))
    done
    Xvfb ":${display_number}" -screen 0 "$screen" -nolisten tcp +extension XTEST +extension RANDR \
        >/dev/null 2>&1 &
    XVFB_PID=$!
    trap stop_xvfb EXIT
    export DISPLAY=":${display_number}"
    for _ in $(seq 1 100); do
        if xdpyinfo >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    echo "xvfb-session: Xvfb did not start on $DISPLAY" >&2
    return 1
}

stop_xvfb() {
    if [[ -n ${XVFB_PID:-} ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
