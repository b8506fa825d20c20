#!/usr/bin/env python3
"""Measures the colours openMSX's V9938 shows for its palette levels and SCREEN 8's levels.

SCREEN 5 shows 16 columns, one per palette entry; 32 screenshots walk the entries through all
512 palette values (byte r * 16 + b, then g). SCREEN 8 shows the 256 bytes across a row. The
script checks that each channel's value depends only on its own level and prints the values
of the 3-bit levels and of SCREEN 8's 2-bit blue, which ChipLevels.h holds.

Needs the Debian packages openmsx, cbios and xvfb:
    tools/openmsx/measure_levels.py
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_screen_files import TCL_SETTINGS, read_png, tcl_after_boot  # noqa: E402

TCL = TCL_SETTINGS + r"""
proc show_mode {r0} { vdp 0 $r0; vdp 1 0x40; vdp 2 0x1F; vdp 7 0; vdp 8 0x0A; vdp 9 0x80 }
proc shot5 {s} {
    if {$s >= 32} { start8; return }
    for {set i 0} {$i < 16} {incr i} {
        set n [expr {$s * 16 + $i}]
        debug write "VDP palette" [expr {2 * $i}] [expr {($n >> 6) * 16 + ($n & 7)}]
        debug write "VDP palette" [expr {2 * $i + 1}] [expr {($n >> 3) & 7}]
    }
    after time 0.5 [list take5 $s]
}
proc take5 {s} {
    screenshot -raw [format "DIR/pal%02d.png" $s]
    shot5 [expr {$s + 1}]
}
# The VRAM debuggable follows the bank interleave of the mode in force: load SCREEN 8's
# bytes in a plain mode, interleaving here.
proc start8 {} {
    set ::throttle off
    vdp 0 0x06
    after time 0.1 load8
}
proc load8 {} {
    for {set y 0} {$y < 212} {incr y} {
        for {set x 0} {$x < 256} {incr x} {
            set a [expr {$y * 256 + $x}]
            debug write VRAM [expr {($a >> 1) | (($a & 1) << 16)}] $x
        }
    }
    show_mode 0x0E
    set ::throttle on
    after time 2 { screenshot -raw DIR/sc8.png; exit }
}
""" + tcl_after_boot(r"""
    vdp 0 0x06
    after time 0.1 {
        for {set y 0} {$y < 212} {incr y} {
            for {set b 0} {$b < 128} {incr b} {
                set c [expr {$b / 8}]
                debug write VRAM [expr {$y * 128 + $b}] [expr {$c * 16 + $c}]
            }
        }
        show_mode 0x06
        set ::throttle on
        after time 1 {shot5 0}
    }
""")


def levels_of(samples, names):
    """samples: (levels tuple, rgb) pairs; the value of each level per channel, checked to
    depend on that channel's level alone."""
    tables = [{} for _ in names]
    for levels, rgb in samples:
        for k, (level, value) in enumerate(zip(levels, rgb)):
            if tables[k].setdefault(level, value) != value:
                sys.exit(f"{names[k]} level {level} shows {tables[k][level]} and {value}")
    return [[t[level] for level in sorted(t)] for t in tables]


def main():
    work = tempfile.mkdtemp(prefix="murelo-levels-")
    with open(os.path.join(work, "levels.tcl"), "w") as f:
        f.write(TCL.replace("DIR", work))
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "openmsx", "-machine",
                    "C-BIOS_MSX2", "-script", os.path.join(work, "levels.tcl")], env=env,
                   check=True, timeout=600, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    samples = []
    for s in range(32):
        _, _, rows = read_png(os.path.join(work, f"pal{s:02d}.png"))
        for i in range(16):
            n = s * 16 + i
            column = {rows[y][32 + 16 * i + x] for y in range(20, 220, 10) for x in range(1, 15)}
            if len(column) != 1:
                sys.exit(f"palette value {n:03o} shows {column}")
            samples.append(((n >> 6, (n >> 3) & 7, n & 7), column.pop()))
    red, green, blue = levels_of(samples, ["red", "green", "blue"])
    print("palette red   ", red)
    print("palette green ", green)
    print("palette blue  ", blue)
    _, _, rows = read_png(os.path.join(work, "sc8.png"))
    samples = [(((x >> 2) & 7, x >> 5, x & 3), rows[114][32 + x]) for x in range(256)]
    red8, green8, blue8 = levels_of(samples, ["SCREEN 8 red", "SCREEN 8 green", "SCREEN 8 blue"])
    print("SCREEN 8 red  ", red8)
    print("SCREEN 8 green", green8)
    print("SCREEN 8 blue ", blue8)
    print("screenshots in", work)


if __name__ == "__main__":
    main()
