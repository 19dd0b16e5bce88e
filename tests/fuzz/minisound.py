#!/usr/bin/env python3
"""Writes a small valid XM module and a small WAV effect, so the bad-file
tests have well-formed files to cut and damage even without the game's own
sounds. Usage: minisound.py OUTDIR  (writes OUTDIR/mini.xm, OUTDIR/mini.wav)
"""
import math
import os
import struct
import sys


def xm_module():
    channels, rows = 4, 16
    head = bytearray()
    head += b"Extended Module: "
    head += b"mini".ljust(20, b" ")
    head += b"\x1a"
    head += b"minisound".ljust(20, b" ")
    head += struct.pack("<HIHHHHHHHH", 0x0104, 276, 2, 0, channels, 2, 2, 1, 6, 125)
    head += bytes([0, 1]).ljust(256, b"\0")
    assert len(head) == 336

    def pattern(notes):
        cells = bytearray()
        for r in range(rows):
            for c in range(channels):
                note = notes.get((r, c))
                if note:
                    # note, instrument, volume
                    cells += bytes([0x80 | 0x07, note[0], note[1], 0x40])
                else:
                    cells += b"\x80"
        return struct.pack("<IBHH", 9, 0, rows, len(cells)) + cells

    pats = pattern({(0, 0): (49, 1), (4, 1): (53, 2), (8, 0): (56, 1), (12, 2): (97, 1)})
    pats += pattern({(0, 1): (61, 2), (8, 0): (49, 1)})

    def instrument(frames, bits16, envelope):
        inst = bytearray(struct.pack("<I", 263))
        inst += b"voice".ljust(22, b"\0")
        inst += struct.pack("<BH", 0, 1)
        inst += struct.pack("<I", 40)
        inst += bytes(96)
        env = bytearray()
        for x, y in envelope:
            env += struct.pack("<HH", x, y)
        inst += env.ljust(48, b"\0")
        inst += bytes(48)
        inst += bytes([len(envelope), 0, 0, 0, 0, 0, 0, 0])
        inst += bytes([1 if envelope else 0, 0])
        inst += bytes(4)
        inst += struct.pack("<HH", 0x300, 0)
        inst += bytes(20)
        assert len(inst) == 263
        length = len(frames) * (2 if bits16 else 1)
        sh = struct.pack("<IIIBbBBbB", length, 0, length, 48, 2, 0x11 if bits16 else 0x01,
                         128, 0, 0)
        sh += b"cycle".ljust(22, b"\0")
        data = bytearray()
        prev = 0
        for s in frames:
            if bits16:
                data += struct.pack("<H", (s - prev) & 0xFFFF)
            else:
                data += bytes([(s - prev) & 0xFF])
            prev = s
        return inst + sh + data

    sine8 = [round(120 * math.sin(2 * math.pi * i / 32)) for i in range(32)]
    tri16 = [round(30000 * (1 - 4 * abs(i / 64 - 0.5))) for i in range(64)]
    insts = instrument(sine8, False, [(0, 64), (8, 30), (24, 0)])
    insts += instrument(tri16, True, [])
    return bytes(head + pats + insts)


def wav_effect():
    rate, n = 11025, 2200
    data = bytes(128 + round(100 * math.sin(2 * math.pi * 440 * i / rate) * (1 - i / n))
                 for i in range(n))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", n) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "mini.xm"), "wb") as f:
        f.write(xm_module())
    with open(os.path.join(out, "mini.wav"), "wb") as f:
        f.write(wav_effect())


if __name__ == "__main__":
    main()
