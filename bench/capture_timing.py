#!/usr/bin/env python3
"""Times full-screen captures to a PNG file by several commands, in turns, and checks that
every file they write decodes to the whole screen.

    capture_timing.py --runs N --size WIDTHxHEIGHT --out DIR NAME=COMMAND ...

COMMAND is split as a shell splits words; {out} in it stands for the output file. Each
command runs once to warm up, then N times, the commands interleaved so that a change in
the machine's load touches them alike. Prints min, median and max wall milliseconds, the
median file size and each median's ratio to the first command's.
"""

import argparse
import shlex
import statistics
import struct
import subprocess
import sys
import time
import zlib
from pathlib import Path

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def scanline_bytes(width, height, bits_per_pixel):
    """Filtered scanline data of a width x height image, filter bytes included."""
    if width == 0 or height == 0:
        return 0
    return height * (1 + (width * bits_per_pixel + 7) // 8)


def png_size(path):
    """Decodes the PNG (chunk CRCs, IHDR, the whole zlib stream) and returns (width, height).
    Raises ValueError when the file is not a complete PNG."""
    data = Path(path).read_bytes()
    if not data.startswith(b"\x89PNG\r\n\x1a\n"):
        raise ValueError("no PNG signature")
    offset, header, idat, ended = 8, None, bytearray(), False
    while offset + 12 <= len(data):
        length, kind = struct.unpack(">I4s", data[offset : offset + 8])
        body = data[offset + 8 : offset + 8 + length]
        crc = struct.unpack(">I", data[offset + 8 + length : offset + 12 + length])[0]
        if len(body) != length or zlib.crc32(kind + body) != crc:
            raise ValueError(f"chunk {kind!r} is cut or corrupt")
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            ended = True
            break
        offset += 12 + length
    if header is None or not ended:
        raise ValueError("no IHDR or no IEND")
    width, height, depth, colour, _, _, interlace = header
    bits = depth * CHANNELS[colour]
    if interlace:
        expected = sum(
            scanline_bytes((width - x + dx - 1) // dx, (height - y + dy - 1) // dy, bits)
            for x, y, dx, dy in ADAM7
        )
    else:
        expected = scanline_bytes(width, height, bits)
    pixels = zlib.decompress(bytes(idat))
    if len(pixels) != expected:
        raise ValueError(f"{len(pixels)} bytes of scanlines, {expected} expected")
    return width, height


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--size", required=True, help="WIDTHxHEIGHT every output must have")
    parser.add_argument("--out", required=True, help="folder for the output files")
    parser.add_argument("commands", nargs="+", metavar="NAME=COMMAND")
    arguments = parser.parse_args()
    expected = tuple(int(n) for n in arguments.size.split("x"))
    commands = [entry.split("=", 1) for entry in arguments.commands]

    times = {name: [] for name, _ in commands}
    sizes = {name: [] for name, _ in commands}
    for round_number in range(arguments.runs + 1):
        for name, command in commands:
            out = Path(arguments.out) / f"{name}-{round_number}.png"
            argv = [word.replace("{out}", str(out)) for word in shlex.split(command)]
            start = time.perf_counter()
            finished = subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
            elapsed = (time.perf_counter() - start) * 1000
            if finished.returncode != 0:
                sys.exit(f"{name} failed ({finished.returncode}): {finished.stderr.decode(errors='replace')}")
            try:
                size = png_size(out)
            except (OSError, ValueError, zlib.error) as error:
                sys.exit(f"{name} wrote no readable PNG: {error}")
            if size != expected:
                sys.exit(f"{name} wrote a {size[0]}x{size[1]} PNG, not {expected[0]}x{expected[1]}")
            if round_number > 0:
                times[name].append(elapsed)
                sizes[name].append(out.stat().st_size)
            out.unlink()

    baseline = statistics.median(times[commands[0][0]])
    print(f"{'command':<10} {'min ms':>8} {'median ms':>10} {'max ms':>8} {'bytes':>12} {'median / ' + commands[0][0]:>18}")
    for name, _ in commands:
        median = statistics.median(times[name])
        print(
            f"{name:<10} {min(times[name]):>8.0f} {median:>10.0f} {max(times[name]):>8.0f}"
            f" {int(statistics.median(sizes[name])):>12,} {median / baseline:>18.2f}"
        )


if __name__ == "__main__":
    main()
