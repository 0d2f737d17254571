#!/usr/bin/env python3
"""Renders the recognition corpus: screens drawn by real programs (xterm, Chromium, Qt) and
the true text of each, written next to it as NAME.png and NAME.txt. Needs xterm, chromium,
imagemagick and a C++ compiler with Qt 6; run it from anywhere, it writes into its own folder.
The PNGs are committed, so tests and benchmarks never need these programs."""
import html
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
WORDS = ("the screenshot editor copies every capture to clipboard and saves a file named by date annotations "
         "stay editable until export while recognition reads text from windows menus documents invoice total "
         "account settings network upload server answer link status window select rectangle arrow highlight "
         "counter magnifier crop ruler colour background preview release notes version build package install "
         "memory process thread queue request response error warning message button dialog panel sidebar "
         "column search filter history folder permission owner group modified size created deleted restore "
         "archive compress password username address report summary schedule meeting project budget quarter").split()


def prose(rng, count):
    words = [rng.choice(WORDS) for _ in range(count)]
    words[0] = words[0].capitalize()
    return " ".join(words) + "."


def save(name, lines):
    with open(os.path.join(HERE, name + ".txt"), "w") as out:
        out.write("\n".join(lines) + "\n")


# --- terminals -------------------------------------------------------------------------
def ls_listing(rng):
    names = ["Documents", "Downloads", "Pictures", "build.log", "config.json", "invoice-2026.pdf", "notes.md",
             "report_q3.xlsx", "scripts", "server.py", "setup.cfg", "trovix-0.9.tar.gz", "upload.sh", "venv",
             ".bashrc", ".cache", ".config", ".profile", "archive.zip", "README.txt", "Makefile", "main.cpp"]
    lines = ["total 1184"]
    months = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
    for name in names:
        directory = "." not in name.strip(".") and name[0].isupper() or name in ("scripts", "venv", ".cache", ".config")
        mode = "drwxr-xr-x" if directory else rng.choice(["-rw-r--r--", "-rwxr-xr-x", "-rw-------"])
        size = 4096 if directory else rng.randint(120, 999999)
        lines.append(f"{mode} {rng.randint(1, 9):2d} alice staff {size:7d} {rng.choice(months)} "
                     f"{rng.randint(1, 28):2d} {rng.randint(0, 23):02d}:{rng.randint(0, 59):02d} {name}")
    return lines


def number_lines(rng, count):
    return [" ".join(str(rng.randint(0, 99999)) for _ in range(rng.randint(6, 10))) for _ in range(count)]


def build_log(rng, count):
    lines = []
    for index in range(count):
        kind = rng.choice(["Compiling", "Linking", "Testing", "Building"])
        lines.append(f"[{index + 1:3d}/{count}] {kind} {rng.choice(WORDS)}_{rng.choice(WORDS)}.cpp "
                     f"{rng.choice(WORDS)} {rng.randint(10, 999)} ms")
    return lines


def shell_session(rng):
    lines = ["alice@desk:~/project$ git status",
             "On branch main",
             "Your branch is up to date with origin/main.",
             "Changes not staged for commit:",
             "modified: src/editor/Canvas.cpp",
             "modified: src/services/Upload.cpp",
             "alice@desk:~/project$ df -h /home"]
    lines += ["Filesystem Size Used Avail Use% Mounted on", "/dev/nvme0n1p2 468G 201G 244G 46% /home"]
    lines += [prose(rng, 9) for _ in range(4)]
    return lines


def xterm_shot(name, lines, points, foreground, background, columns, rows):
    text_path = os.path.join(WORK, name + ".in")
    with open(text_path, "w") as out:
        out.write("\n".join(lines))
    title = "corpus-" + name
    terminal = subprocess.Popen(["xterm", "-T", title, "-geometry", f"{columns}x{rows}+0+0", "-fa", "DejaVu Sans Mono",
                                 "-fs", str(points), "-fg", foreground, "-bg", background, "+sb", "-e",
                                 "sh", "-c", f"cat {text_path}; sleep 30"])
    window = subprocess.check_output(["xdotool", "search", "--sync", "--name", title]).split()[0].decode()
    time.sleep(1.5)
    subprocess.check_call(["import", "-window", window, os.path.join(HERE, name + ".png")])
    terminal.kill()
    terminal.wait()
    # The window title is no part of an xterm's own pixels, so only the lines are true text.
    save(name, lines)


# --- web pages ---------------------------------------------------------------------------
PAGE_STYLE = """body{margin:0;font-family:'DejaVu Sans';font-size:14px;line-height:1.45}
.light{background:#fbfbfd;color:#202124}.dark{background:#1f2023;color:#e3e3e6}
.caption{font-size:11px;color:#80868b}.dark .caption{color:#9aa0a6}
h1{font-size:22px;margin:0 0 12px}h2{font-size:17px;margin:18px 0 8px}p{margin:0 0 10px}
.pane{box-sizing:border-box;padding:24px 32px}"""


def section(rng, paragraphs, truth, captions=True, heading=True):
    parts = []
    if heading:
        title = " ".join(rng.choice(WORDS) for _ in range(3)).capitalize()
        parts.append(f"<h2>{title}</h2>")
        truth.append(title)
    for _ in range(paragraphs):
        text = " ".join(prose(rng, rng.randint(10, 16)) for _ in range(rng.randint(2, 3)))
        parts.append(f"<p>{html.escape(text)}</p>")
        truth.append(text)
        if captions and rng.random() < 0.5:
            caption = "Figure " + str(rng.randint(1, 9)) + ": " + prose(rng, 8)
            parts.append(f"<p class=caption>{caption}</p>")
            truth.append(caption)
    return "".join(parts)


def chromium_shot(name, body, truth, width, height, scale=1):
    page = os.path.join(WORK, name + ".html")
    with open(page, "w") as out:
        out.write(f"<!doctype html><meta charset=utf-8><style>{PAGE_STYLE}</style><body>{body}</body>")
    subprocess.check_call(["chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                           f"--force-device-scale-factor={scale}", f"--window-size={width},{height}",
                           "--screenshot=" + os.path.join(HERE, name + ".png"), "file://" + page],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    save(name, truth)


def web_pages(rng):
    truth = ["Release notes"]
    body = "<div class='light pane' style='height:800px'><h1>Release notes</h1>" + section(rng, 4, truth) + "</div>"
    chromium_shot("web-light-captions", body, truth, 1280, 800)

    truth = ["Account settings"]
    body = "<div class='dark pane' style='height:800px'><h1>Account settings</h1>" + section(rng, 4, truth) + "</div>"
    chromium_shot("web-dark", body, truth, 1280, 800)

    left, right = ["Answer"], ["Request"]
    body = ("<div style='display:flex;height:800px'><div class='light pane' style='width:50%'><h1>Answer</h1>"
            + section(rng, 4, left) + "</div><div class='dark pane' style='width:50%'><h1>Request</h1>"
            + section(rng, 4, right) + "</div></div>")
    chromium_shot("web-light-beside-dark", body, left + right, 1280, 800)

    left, right = [], []
    body = ("<div class='light' style='display:flex;gap:56px;padding:24px 40px;height:800px'>"
            "<div style='flex:1'>" + section(rng, 4, left) + "</div><div style='flex:1'>"
            + section(rng, 4, right) + "</div></div>")
    chromium_shot("web-two-columns", body, left + right, 1280, 800)

    truth = ["Project summary"]
    body = "<div class='light pane' style='height:800px'><h1>Project summary</h1>" + section(rng, 3, truth) + "</div>"
    chromium_shot("web-2x", body, truth, 1200, 700, scale=2)

    truth = []
    code = [f"int {rng.choice(WORDS)}Count = {rng.randint(0, 99)};" for _ in range(3)]
    for index in range(24):
        a, b, c = rng.choice(WORDS), rng.choice(WORDS), rng.choice(WORDS)
        code.append(rng.choice([f"if ({a}.isEmpty()) return {b}Count;", f"auto {a} = {b}.{c}({index});",
                                f"for (const auto& {a} : {b}s) {c}.append({a});", f"// {prose(rng, 6)}",
                                f"{a}Count += {b}.size() * {index + 2};"]))
    truth = code
    body = ("<pre style=\"background:#ffffff;color:#24292f;font:13px/1.5 'DejaVu Sans Mono';margin:0;padding:16px;"
            "height:700px\">" + "\n".join(html.escape(line) for line in code) + "</pre>")
    chromium_shot("code-mono", body, truth, 1000, 720)

    truth = []
    body = ("<div class='light' style='display:flex;gap:48px;padding:20px 40px;height:1080px'>"
            + "".join("<div style='flex:1'>" + section(rng, 5, truth, captions=False) + "</div>" for _ in range(2))
            + "</div>")
    chromium_shot("screen-1920", body, truth, 1920, 1080)

    truth = []
    body = ("<div class='light' style='display:flex;gap:64px;padding:24px 48px;height:1440px'>"
            + "".join("<div style='flex:1'>" + section(rng, 6, truth, captions=False) + "</div>" for _ in range(2))
            + "</div>")
    chromium_shot("page-2560", body, truth, 2560, 1440)


# --- a Qt dialog -------------------------------------------------------------------------
def qt_dialog():
    source = os.path.join(HERE, "dialog.cpp")
    program = os.path.join(WORK, "dialog")
    flags = subprocess.check_output(["pkg-config", "--cflags", "--libs", "Qt6Widgets"]).decode().split()
    subprocess.check_call(["g++", "-std=c++20", "-fPIC", source, "-o", program] + flags)
    output = os.path.join(HERE, "qt-dialog.png")
    subprocess.check_call([program, output, os.path.join(HERE, "qt-dialog.txt")])


if __name__ == "__main__":
    WORK = tempfile.mkdtemp()
    rng = random.Random(20)
    xterm_shot("terminal-light-9pt", ls_listing(rng), 9, "black", "white", 80, 24)
    xterm_shot("terminal-dark-11pt", build_log(rng, 22), 11, "#d0d0d0", "#1e1e1e", 90, 24)
    xterm_shot("terminal-light-14pt", shell_session(rng), 14, "#202020", "#fdf6e3", 90, 14)
    xterm_shot("terminal-dark-8pt-numbers", number_lines(rng, 30), 8, "#e0e0e0", "black", 80, 32)
    web_pages(rng)
    qt_dialog()
    shutil.rmtree(WORK)
