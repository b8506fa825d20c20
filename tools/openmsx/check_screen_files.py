#!/usr/bin/env python3
"""Shows screen files written by `murelo9918-cli convert --export` on an emulated MSX2 and
compares the emulator's screen with the converter's result, pixel by pixel: the design's
items by level (they preview their own level table), the dithered items (v9938 modes 7..10,
which preview the levels the chip shows) by exact RGB.

C-BIOS has no BASIC, so the Tcl script does what BLOAD"...",S and COLOR=RESTORE would: it
loads each file's data at the address its BSAVE header names, copies the palette table of the
video memory into the palette registers and sets the VDP registers of the mode.

Needs the Debian packages openmsx, cbios and xvfb (not part of the regular build):
    tools/openmsx/check_screen_files.py build/src/cli/murelo9918-cli
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

# mode: VDP registers 0, 2, 8 and 9; palette table address; Graphic 6/7 bank interleave.
MODES = {
    5: dict(r0=0x06, pal=0x7680, planar=False),
    6: dict(r0=0x08, pal=0x7680, planar=False),
    7: dict(r0=0x0A, pal=0xFA80, planar=True),
    8: dict(r0=0x0E, pal=None, planar=True),
}

# The emulator set up alike for every check: no throttle, sound, scanlines or blur, gamma 1.0
# (the chip's own output), the settings file left as it was; and a way to write a VDP
# register.
TCL_SETTINGS = r"""
set save_settings_on_exit off
set throttle off
set mute on
set scanline 0
set gamma 1.0
set blur 0
proc vdp {r v} { debug write "VDP regs" $r $v }
"""

# BLOAD"...",S and COLOR=RESTORE, which C-BIOS lacks: a BSAVE file into the video memory at
# the address its header names, and the palette from a palette table, in the Graphic 6/7
# bank interleave when `planar`.
TCL_LOADING = r"""
proc load_bsave {fname planar} {
    set f [open $fname rb]
    fconfigure $f -translation binary
    set d [read $f]
    close $f
    binary scan $d cusususu type start end exec
    binary scan [string range $d 7 end] cu* bytes
    set a $start
    foreach b $bytes {
        if {$planar} {
            debug write VRAM [expr {($a >> 1) | (($a & 1) << 16)}] $b
        } else {
            debug write VRAM $a $b
        }
        incr a
    }
}
proc color_restore {addr planar} {
    for {set i 0} {$i < 32} {incr i} {
        set a [expr {$addr + $i}]
        if {$planar} { set a [expr {($a >> 1) | (($a & 1) << 16)}] }
        debug write "VDP palette" $i [debug read VRAM $a]
    }
}
"""


def tcl_after_boot(body):
    """Tcl that halts the Z80 once C-BIOS is up (DI; HALT at C000h), then runs `body`."""
    return (
        "after time 8 {\n"
        "    debug write memory 0xC000 0xF3\n"
        "    debug write memory 0xC001 0x76\n"
        "    reg pc 0xC000\n" + body + "}\n"
    )


TCL = TCL_SETTINGS + TCL_LOADING + r"""
set plan {PLAN}
proc show {index} {
    global plan
    if {$index >= [llength $plan]} { exit }
    # The VRAM debuggable follows the bank interleave of the mode in force, and a mode set
    # takes effect only as the VDP runs on: load in a plain mode, interleaving here.
    vdp 0 0x06
    after time 0.1 [list load_and_show $index]
}
proc load_and_show {index} {
    global plan
    lassign [lindex $plan $index] r0 pal planar files shot size
    for {set a 0} {$a < 0x20000} {incr a} { debug write VRAM $a 0 }
    foreach f $files { load_bsave $f $planar }
    vdp 0 $r0; vdp 1 0x40; vdp 2 0x1F; vdp 7 0; vdp 8 0x0A; vdp 9 0x80
    if {$pal ne ""} { color_restore $pal $planar }
    set ::throttle on
    after time 2 [list take $shot $size $index]
}
proc take {shot size index} {
    screenshot -raw {*}$size $shot
    show [expr {$index + 1}]
}
""" + tcl_after_boot("    show 0\n")

L3 = [6, 32, 72, 104, 144, 176, 216, 247]
L2 = [6, 72, 144, 247]


def write_bmp(path, w, h, pixel):
    stride = (w * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(h)):
        row = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y)
            row += bytes([b, g, r])
        rows.append(bytes(row) + b"\0" * (stride - w * 3))
    data = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 0, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54) + header + data)


def test_pixel(w, h):
    bars = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255),
            (255, 0, 255), (255, 255, 255), (0, 0, 0)]

    def pixel(x, y):
        u, v = x * 256 // w, y * 212 // h
        if abs(u - v) < 2:
            return (255, 128, 0)
        if v < 60:
            return bars[u // 32]
        if v < 140:
            return (u, (v - 60) * 3, 255 - u)
        return (255, 255, 255) if (u // 16 + (v - 140) // 12) % 2 == 0 else (40, 40, 160)
    return pixel


def read_bmp(path):
    d = open(path, "rb").read()
    off, = struct.unpack("<I", d[10:14])
    w, h = struct.unpack("<ii", d[18:26])
    stride = (w * 3 + 3) // 4 * 4
    rows = []
    for y in range(h):
        r = d[off + (h - 1 - y) * stride:]
        rows.append([(r[3 * x + 2], r[3 * x + 1], r[3 * x]) for x in range(w)])
    return w, h, rows


def read_png(path):
    d = open(path, "rb").read()
    i, idat = 8, b""
    while i < len(d):
        n, = struct.unpack(">I", d[i:i + 4])
        kind, chunk = d[i + 4:i + 8], d[i + 8:i + 8 + n]
        i += 12 + n
        if kind == b"IHDR":
            w, h, _, colour = struct.unpack(">IIBB", chunk[:10])
        elif kind == b"IDAT":
            idat += chunk
    bpp = {2: 3, 6: 4}[colour]
    raw, stride, rows, prev, p = zlib.decompress(idat), w * bpp, [], bytearray(w * bpp), 0
    for _ in range(h):
        f, line = raw[p], bytearray(raw[p + 1:p + 1 + stride])
        p += 1 + stride
        for x in range(stride):
            a = line[x - bpp] if x >= bpp else 0
            b, c = prev[x], (prev[x - bpp] if x >= bpp else 0)
            if f == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                a = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
            line[x] = (line[x] + [0, a, b, (a + b) // 2, a][f]) & 255
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(w)])
        prev = line
    return w, h, rows


def compare(shot, result, mode, exact):
    sw, sh, s = read_png(shot)
    rw, rh, r = read_bmp(result)
    # SCREEN 6 and 7 show the even rows of a 512-wide result, SCREEN 5 and 8 every row.
    rows = range(0, rh, 2) if mode in (6, 7) else range(rh)
    # 320 x 240 for the 256-dot modes; 640 x 480 for the 512-dot ones, every line twice.
    scale = sw // 320
    step = 256 * scale // rw
    blue = L2 if mode == 8 else L3
    ox, oy = 32 * scale, 14 * scale
    bad = 0
    for n, y in enumerate(rows):
        for x in range(rw):
            got, want = s[oy + scale * n][ox + x * step], r[y][x]
            if exact:
                bad += got != want
                continue
            levels = (round(got[0] * 7 / 255), round(got[1] * 7 / 255),
                      round(got[2] * (len(blue) - 1) / 255))
            if levels != (L3.index(want[0]), L3.index(want[1]), blue.index(want[2])):
                bad += 1
    total = len(rows) * rw
    kind = "exactly the result's RGB" if exact else "the result's colours"
    print(f"SCREEN {mode}: {os.path.basename(shot)} {sw}x{sh}: {total - bad}/{total} pixels "
          f"show {kind}")
    return bad == 0


def main():
    cli = os.path.abspath(sys.argv[1])
    work = tempfile.mkdtemp(prefix="murelo-openmsx-")
    os.chdir(work)
    write_bmp("in256.bmp", 256, 212, test_pixel(256, 212))
    write_bmp("in512.bmp", 512, 424, test_pixel(512, 424))
    runs = [  # screen, v9938 mode, source, extra options, exported files
        (5, 0, "in256.bmp", [], ["PIC5.SC5", "PIC5.PAL"]),
        (5, 0, "in256.bmp", ["--connect-palette"], ["PICC.SC5"]),
        (6, 1, "in512.bmp", [], ["PIC6.SC6", "PIC6.PAL"]),
        (7, 2, "in512.bmp", [], ["PIC7.SC7", "PIC7.PAL"]),
        (8, 3, "in256.bmp", [], ["PIC8.SC8"]),
        (5, 7, "in256.bmp", [], ["DIT5.SC5", "DIT5.PAL"]),
        (5, 7, "in256.bmp", ["--connect-palette"], ["DITC.SC5"]),
        (6, 8, "in512.bmp", [], ["DIT6.SC6", "DIT6.PAL"]),
        (6, 8, "in512.bmp", ["--odd-line", "--connect-palette"], ["DITO.SC6"]),
        (7, 9, "in512.bmp", [], ["DIT7.SC7", "DIT7.PAL"]),
        (7, 9, "in512.bmp", ["--connect-palette"], ["DITD.SC7"]),
        (8, 10, "in256.bmp", [], ["DIT8.SC8"]),
    ]
    plan = []
    for i, (mode, item, src, extra, files) in enumerate(runs):
        stem = os.path.splitext(files[0])[0]
        subprocess.run([cli, "convert", src, "--page", "v9938", "--mode", str(item),
                        "--export", stem.lower(), "-o", f"res{i}.bmp", *extra], check=True,
                       stdout=subprocess.DEVNULL)
        m = MODES[mode]
        pal = "" if m["pal"] is None else str(m["pal"])
        plan.append(f"{{{m['r0']} {{{pal}}} {int(m['planar'])} {{{' '.join(os.path.abspath(f) for f in files)}}} "
                    f"{os.path.abspath(f'shot{i}.png')} {'-doublesize' if mode in (6, 7) else '{}'}}}")
    with open("show.tcl", "w") as f:
        f.write(TCL.replace("{PLAN}", "{" + " ".join(plan) + "}"))
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "openmsx", "-machine",
                    "C-BIOS_MSX2", "-script", "show.tcl"], env=env, check=True, timeout=600,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    ok = all([compare(f"shot{i}.png", f"res{i}.bmp", run[0], run[1] >= 7)
              for i, run in enumerate(runs)])
    print("files and screenshots in", work)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
