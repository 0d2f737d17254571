#!/usr/bin/env python3
"""How quickly the running application answers a user, on a 3840 x 2160 Xvfb screen.

Starts a private Xvfb with the Openbox window manager, the trayer system tray and a
busy desktop picture, then measures, over several runs:
  - launch: from starting the trovix binary until its tray icon is embedded and visible,
    and until its editor window is visible;
  - hot key: with the editor hidden, from pressing Ctrl+Alt+5 until the editor is visible
    again with the capture;
  - area hot key: with the editor hidden, from pressing Ctrl+Alt+2 until the screen shows
    the area overlay over the frozen picture (a pixel of the desktop turns into its dimmed
    self), then Esc.
Hot keys are pressed through XTest on the script's own X connection, so a figure starts when
the X server has the key. Windows are found by polling the X server (xdotool), pixels by
reading one pixel of the root through Xlib, so each figure is late by at most one poll
(about 15 ms for windows, a few ms for pixels). Prints min, median and max in milliseconds.

Usage: bench/app-timing.py [--runs N] [--binary build/bench/src/trovix]
"""

import argparse
import ctypes
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

SCREEN = (3840, 2160)


def run(arguments, env, timeout=20):
    return subprocess.run(arguments, env=env, capture_output=True, text=True, timeout=timeout).stdout


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0",
         f"{SCREEN[0]}x{SCREEN[1]}x24", "+extension", "RANDR"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        number = numbers.readline().strip()
    if not number:
        sys.exit("app-timing: Xvfb did not start")
    return server, ":" + number


def wait_until(condition, limit, poll=0.005):
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(poll)
    return None


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, up to the pixel data.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_uint8))]


class RootPixels:
    """Reads single pixels of the root window: what the screen shows there, overlays included."""

    def __init__(self, display):
        self.xlib = ctypes.CDLL("libX11.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.xlib.XGetImage.restype = ctypes.POINTER(XImage)
        self.xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                        ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.xlib.XFree.argtypes = [ctypes.c_void_p]
        self.display = self.xlib.XOpenDisplay(display.encode())
        if not self.display:
            sys.exit("app-timing: cannot open the X display for reading pixels")
        self.root = self.xlib.XDefaultRootWindow(self.display)

    def press_chord(self, *keysyms):
        """Presses the keys in order and lets them go in reverse, straight through XTest on the
        open connection: the clock starts when the X server has the key, not when a helper
        program that sends it has started."""
        xtst = ctypes.CDLL("libXtst.so.6")
        xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.xlib.XStringToKeysym.restype = ctypes.c_ulong
        self.xlib.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.xlib.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.xlib.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.xlib.XFlush.argtypes = [ctypes.c_void_p]
        codes = [self.xlib.XKeysymToKeycode(self.display, self.xlib.XStringToKeysym(name.encode()))
                 for name in keysyms]
        for code in codes:
            xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        for code in reversed(codes):
            xtst.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.xlib.XFlush(self.display)

    def pixel(self, x, y):
        """(red, green, blue) at a root pixel; a 24-bit screen keeps one pixel in 4 bytes, blue first."""
        z_pixmap, all_planes = 2, 0xFFFFFFFF
        image = self.xlib.XGetImage(self.display, self.root, x, y, 1, 1, all_planes, z_pixmap)
        if not image:
            return None
        data = image.contents.data
        value = (data[2], data[1], data[0])
        self.xlib.XFree(image.contents.data)
        self.xlib.XFree(image)
        return value


class Desktop:
    def __init__(self, work):
        self.server, display = start_xvfb()
        self.env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=os.path.join(work, "config"),
                        QT_QPA_PLATFORM="xcb")
        self.pixels = RootPixels(display)
        self.helpers = [subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)]
        if not wait_until(lambda: "window id" in run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], self.env), 20):
            sys.exit("app-timing: Openbox did not start")
        picture = os.path.join(work, "desktop.png")
        self.paint_busy_desktop(picture)
        run(["display", "-window", "root", picture], self.env, timeout=60)
        self.helpers.append(subprocess.Popen(
            ["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "240",
             "--height", "36"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1)

    def paint_busy_desktop(self, path):
        # A desktop of gradients, a photo-like field and lines of text, so the capture's
        # PNG encoding has real work to do.
        text = "\n".join(f"{line:03d}  The quick brown fox jumps over the lazy dog — 0123456789 ABCDEFGHIJ"
                         for line in range(60))
        subprocess.run(
            ["convert", "-size", f"{SCREEN[0]}x{SCREEN[1]}", "gradient:#1d2b3a-#7a94b0",
             "(", "-size", "1400x900", "plasma:fractal", "-blur", "0x1", ")", "-geometry", "+2200+900",
             "-composite", "-fill", "white", "-pointsize", "24", "-annotate", "+80+120", text,
             "-fill", "#ffd27f", "-draw", "rectangle 2200,200 3600,700", path],
            check=True, env=self.env)

    def trovix_windows(self):
        """Sizes of Trovix's visible windows: the editor and the tray icon."""
        ids = set(run(["xdotool", "search", "--onlyvisible", "--class", "^trovix$"], self.env).split())
        sizes = []
        for window in ids:
            geometry = run(["xdotool", "getwindowgeometry", "--shell", window], self.env)
            fields = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
            if "WIDTH" in fields:
                sizes.append((int(fields["WIDTH"]), int(fields["HEIGHT"])))
        return sizes

    def editor_visible(self):
        return any(width > 100 for width, _ in self.trovix_windows())

    def tray_icon_visible(self):
        return any(width <= 64 for width, _ in self.trovix_windows())

    def close(self):
        for helper in self.helpers + [self.server]:
            helper.terminate()
            helper.wait()


def measure_launch(desktop, binary):
    started = time.monotonic()
    trovix = subprocess.Popen([binary], env=desktop.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seen = {}
    def both_seen():
        now = time.monotonic()
        sizes = desktop.trovix_windows()
        if "editor" not in seen and any(width > 100 for width, _ in sizes):
            seen["editor"] = now - started
        if "tray" not in seen and any(width <= 64 for width, _ in sizes):
            seen["tray"] = now - started
        return len(seen) == 2
    if not wait_until(both_seen, 60):
        trovix.kill()
        sys.exit(f"app-timing: only {sorted(seen)} appeared after launch")
    return trovix, seen["tray"], seen["editor"]


def hide_editor(desktop):
    window = run(["xdotool", "search", "--onlyvisible", "--name", "^Trovix$"], desktop.env).split()
    for candidate in window:
        run(["xdotool", "windowactivate", "--sync", candidate, "key", "Escape"], desktop.env)
    if not wait_until(lambda: not desktop.editor_visible(), 20):
        sys.exit("app-timing: Esc did not hide the editor")
    time.sleep(0.5)


# The area overlay dims the frozen desktop with black at alpha 0.42.
AREA_DIM = 0.42
# Away from the pointer's crosshair, the hint in the middle and the tray.
PROBE = (600, 1500)


def is_dimmed(seen, original):
    return seen is not None and all(abs(s - o * (1 - AREA_DIM)) <= 3 for s, o in zip(seen, original))


def measure_area_hotkey(desktop):
    hide_editor(desktop)
    run(["xdotool", "mousemove", "--sync", "100", "100"], desktop.env)
    original = desktop.pixels.pixel(*PROBE)
    if original is None or max(original) < 40:
        sys.exit("app-timing: the probed desktop pixel is too dark to see it dimmed")
    started = time.monotonic()
    desktop.pixels.press_chord("Control_L", "Alt_L", "2")
    if not wait_until(lambda: is_dimmed(desktop.pixels.pixel(*PROBE), original), 30, poll=0.001):
        sys.exit("app-timing: the area overlay did not show the dimmed desktop")
    elapsed = time.monotonic() - started
    run(["xdotool", "key", "Escape"], desktop.env)
    if not wait_until(lambda: desktop.pixels.pixel(*PROBE) == original, 20):
        sys.exit("app-timing: Esc did not close the area overlay")
    return elapsed


def measure_hotkey(desktop):
    hide_editor(desktop)
    started = time.monotonic()
    desktop.pixels.press_chord("Control_L", "Alt_L", "5")
    if not wait_until(desktop.editor_visible, 30):
        sys.exit("app-timing: the hot key did not show the editor")
    return time.monotonic() - started


def summary(name, seconds):
    ms = sorted(value * 1000 for value in seconds)
    print(f"{name:32s} min {ms[0]:7.0f}  median {statistics.median(ms):7.0f}  max {ms[-1]:7.0f} ms"
          f"  ({len(ms)} runs)")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--binary", default="build/bench/src/trovix")
    options = parser.parse_args()
    for program in ("Xvfb", "openbox", "trayer", "xdotool", "convert", "display", "xprop"):
        if not shutil.which(program):
            sys.exit(f"app-timing: {program} is missing; run scripts/install-deps")

    with tempfile.TemporaryDirectory() as work:
        desktop = Desktop(work)
        try:
            tray, editor, hotkey, area = [], [], [], []
            for _ in range(options.runs):
                trovix, tray_seconds, editor_seconds = measure_launch(desktop, os.path.abspath(options.binary))
                tray.append(tray_seconds)
                editor.append(editor_seconds)
                time.sleep(1)
                hotkey.append(measure_hotkey(desktop))
                time.sleep(0.5)
                area.append(measure_area_hotkey(desktop))
                trovix.send_signal(signal.SIGTERM)
                trovix.wait(timeout=20)
                time.sleep(0.5)
        finally:
            desktop.close()
    print(f"screen {SCREEN[0]}x{SCREEN[1]}, Openbox, trayer, binary {options.binary}")
    summary("launch -> tray icon visible", tray)
    summary("launch -> editor visible", editor)
    summary("Ctrl+Alt+5 -> capture in editor", hotkey)
    summary("Ctrl+Alt+2 -> frozen overlay shown", area)


if __name__ == "__main__":
    main()
