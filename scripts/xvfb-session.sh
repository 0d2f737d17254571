# Sourced by test.sh and run.sh: starts a private Xvfb server on a free display
# and stops it when the calling script exits.

start_xvfb() {
    local display_number=90
    while [[ -e "/tmp/.X${display_number}-lock" || -e "/tmp/.X11-unix/X${display_number}" ]]; do
        display_number=$((display_number + 1))
    done
    Xvfb ":${display_number}" -screen 0 1920x1080x24 -nolisten tcp +extension XTEST +extension RANDR \
        >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
    export DISPLAY=":${display_number}"
    for _ in $(seq 1 50); do
        if xdpyinfo >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    echo "xvfb-session: Xvfb did not start on $DISPLAY" >&2
    return 1
}
