#!/usr/bin/env bash
# Runs a command inside a private Wayland desktop: headless sway with two outputs (the
# second at scale 2, right of the first), a session bus, PipeWire, and the portal chain
# (xdg-desktop-portal with its wlr and gtk backends). Usage:
#
#   scripts/wayland-session.sh [--portals DIR] COMMAND [ARGS...]
#
# sway refuses to run as root, so the whole session, COMMAND included, runs as the
# unprivileged account $TROVIX_WAYLAND_USER (created when missing). Inside COMMAND:
# WAYLAND_DISPLAY, DISPLAY (XWayland), DBUS_SESSION_BUS_ADDRESS, SWAYSOCK and
# TROVIX_WAYLAND_OUTPUTS (name:x,y,width,height@scale per output, logical pixels) are set.
# --portals DIR adds the backends described by DIR/*.portal (started by DIR/backend) to the
# real ones; a DIR whose backend offers Screenshot replaces the wlr backend.
# Exits with COMMAND's status, or 97 when the session itself cannot start.
set -euo pipefail

user="${TROVIX_WAYLAND_USER:-trovix-wl}"
portals_dir=""
if [[ "${1:-}" == "--portals" ]]; then
    portals_dir=$(realpath "$2")
    shift 2
fi
if (($# == 0)); then
    echo "usage: $0 [--portals DIR] COMMAND [ARGS...]" >&2
    exit 2
fi

session_fail() {
    echo "wayland-session: $*" >&2
    exit 97
}

# --- as root: an account to run as, and a private runtime folder ---------------------------
if [[ "${TROVIX_WAYLAND_INNER:-}" != 1 ]]; then
    export TROVIX_WAYLAND_CWD="$PWD"
    # Every session's screenshots pass through that same file in /tmp, so two sessions on one
    # machine (two checkouts testing at once) take turns.
    exec 9>>/tmp/trovix-wayland.lock
    chmod a+rw /tmp/trovix-wayland.lock 2>/dev/null || true
    flock 9
    # The wlr backend always has grim write this one file; one left by another account
    # would make every screenshot of this session fail.
    if [[ -e /tmp/out.png && ! -O /tmp/out.png ]] && ((EUID == 0)); then
        rm -f /tmp/out.png
    fi
    if ((EUID == 0)); then
        if ! id "$user" >/dev/null 2>&1; then
            useradd --system --create-home --home-dir "/var/lib/$user" --shell /usr/sbin/nologin "$user" \
                || session_fail "cannot create the account $user"
        fi
        runtime=$(mktemp -d /tmp/trovix-wayland.XXXXXX)
        chown "$user:" "$runtime"
        chmod 700 "$runtime"
        [[ -n "$portals_dir" ]] && chmod -R a+rX "$portals_dir"
        status=0
        # runuser keeps the environment (sanitizer options, the build's paths).
        TROVIX_WAYLAND_INNER=1 XDG_RUNTIME_DIR="$runtime" TROVIX_PORTALS_DIR="$portals_dir" \
            runuser -u "$user" -- dbus-run-session -- "$0" "$@" 9>&- || status=$?
        rm -rf "$runtime"
        exit "$status"
    fi
    runtime=$(mktemp -d)
    chmod 700 "$runtime"
    status=0
    TROVIX_WAYLAND_INNER=1 XDG_RUNTIME_DIR="$runtime" TROVIX_PORTALS_DIR="$portals_dir" \
        dbus-run-session -- "$0" "$@" 9>&- || status=$?
    rm -rf "$runtime"
    exit "$status"
fi

# --- inside the session bus, as the unprivileged account ------------------------------------
export HOME="$XDG_RUNTIME_DIR/home"
mkdir -p "$HOME/.config/sway"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland
export WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
# The portal backends must not ask a desktop we do not have (dconf, GVfs, a11y).
export GSETTINGS_BACKEND=memory GIO_USE_VFS=local NO_AT_BRIDGE=1

pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap cleanup EXIT

log="$XDG_RUNTIME_DIR/session.log"
show_log_and_fail() {
    echo "----- session log -----" >&2
    cat "$log" >&2 || true
    session_fail "$*"
}

wait_for() {
    local what="$1" tries=100
    shift
    until "$@" >/dev/null 2>&1; do
        ((--tries > 0)) || show_log_and_fail "$what did not come up"
        sleep 0.1
    done
}

# Asks without starting anything: the services must be the ones started here.
has_owner() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}

cat >"$XDG_CONFIG_HOME/sway/config" <<'EOF'
xwayland enable
default_border none
default_floating_border none
seat * hide_cursor 1
EOF

sway --config "$XDG_CONFIG_HOME/sway/config" >>"$log" 2>&1 &
pids+=($!)
wait_for sway bash -c 'ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock'
SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -n1)
export SWAYSOCK
wait_for "sway's IPC" swaymsg -t get_version
WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-[0-9] | head -n1)")
export WAYLAND_DISPLAY

# Two outputs: HEADLESS-1 at scale 1, HEADLESS-2 at scale 2 to its right.
swaymsg create_output >/dev/null
swaymsg "output HEADLESS-1 mode 640x480 position 0 0 scale 1" >/dev/null
swaymsg "output HEADLESS-2 mode 800x600 position 640 0 scale 2" >/dev/null
outputs=$(swaymsg -t get_outputs -r | python3 -c '
import json, sys
outputs = json.load(sys.stdin)
print(" ".join("{}:{},{},{},{}@{:g}".format(o["name"], o["rect"]["x"], o["rect"]["y"],
      o["rect"]["width"], o["rect"]["height"], o["scale"]) for o in outputs))')
[[ "$outputs" == *HEADLESS-2* ]] || show_log_and_fail "the second output was not created ($outputs)"
export TROVIX_WAYLAND_OUTPUTS="$outputs"

# XWayland starts with the first X client; sway hands its display to what it starts.
swaymsg exec "echo \$DISPLAY > $XDG_RUNTIME_DIR/display" >/dev/null
wait_for "sway's X display" test -s "$XDG_RUNTIME_DIR/display"
DISPLAY=$(cat "$XDG_RUNTIME_DIR/display")
export DISPLAY

dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY SWAYSOCK XDG_CURRENT_DESKTOP XDG_RUNTIME_DIR \
    HOME XDG_CONFIG_HOME GSETTINGS_BACKEND GIO_USE_VFS NO_AT_BRIDGE >>"$log" 2>&1

pipewire >>"$log" 2>&1 &
pids+=($!)
wait_for pipewire bash -c 'ls "$XDG_RUNTIME_DIR"/pipewire-0'
wireplumber >>"$log" 2>&1 &
pids+=($!)

/usr/libexec/xdg-desktop-portal-wlr >>"$log" 2>&1 &
pids+=($!)
/usr/libexec/xdg-desktop-portal-gtk >>"$log" 2>&1 &
pids+=($!)
wait_for "the wlr portal backend" has_owner org.freedesktop.impl.portal.desktop.wlr
wait_for "the gtk portal backend" has_owner org.freedesktop.impl.portal.desktop.gtk
if [[ -n "${TROVIX_PORTALS_DIR:-}" ]]; then
    portals="$XDG_RUNTIME_DIR/portals"
    mkdir -p "$portals"
    cp /usr/share/xdg-desktop-portal/portals/gtk.portal "$portals/"
    grep -q 'impl.portal.Screenshot' "$TROVIX_PORTALS_DIR"/*.portal \
        || cp /usr/share/xdg-desktop-portal/portals/wlr.portal "$portals/"
    cp "$TROVIX_PORTALS_DIR"/*.portal "$portals/"
    if [[ -x "$TROVIX_PORTALS_DIR/backend" ]]; then
        "$TROVIX_PORTALS_DIR/backend" >>"$log" 2>&1 &
        pids+=($!)
    fi
    for name in $(sed -n 's/^DBusName=//p' "$TROVIX_PORTALS_DIR"/*.portal); do
        wait_for "the backend $name" has_owner "$name"
    done
    XDG_DESKTOP_PORTAL_DIR="$portals" /usr/libexec/xdg-desktop-portal >>"$log" 2>&1 &
else
    /usr/libexec/xdg-desktop-portal >>"$log" 2>&1 &
fi
pids+=($!)
wait_for "the portal" has_owner org.freedesktop.portal.Desktop

status=0
(cd "$TROVIX_WAYLAND_CWD" && "$@") || status=$?
if ((status != 0)) && [[ -n "${TROVIX_WAYLAND_SHOW_LOG:-}" ]]; then
    cat "$log" >&2
fi
exit "$status"
