#!/usr/bin/env python3
"""Writes the WAV reader's fuzz seeds: a handful of tiny files, well-formed and not."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds")


def chunk(cid, body, declared=None, pad=True):
    size = len(body) if declared is None else declared
    out = cid + struct.pack("<I", size) + body
    return out + (b"\0" if pad and len(body) % 2 else b"")


def fmt(tag, channels, rate, bits):
    align = channels * bits // 8
    return chunk(b"fmt ", struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits))


def extensible(sub, channels, rate, bits):
    align = channels * bits // 8
    body = struct.pack("<HHIIHHHHIH", 65534, channels, rate, rate * align, align, bits, 22, bits, 3, sub)
    return chunk(b"fmt ", body + bytes(14))


def riff(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def pcm16(values):
    return b"".join(struct.pack("<h", int(v * 32767)) for v in values)


def pcm24(values):
    return b"".join(struct.pack("<i", int(v * 8388607))[:3] for v in values)


def float32(values):
    return b"".join(struct.pack("<f", v) for v in values)


WAVE = [0.0, 0.5, -0.5, 0.25, -1.0, 1.0]
SEEDS = {
    "pcm16-mono.wav": riff(fmt(1, 1, 44100, 16), chunk(b"data", pcm16(WAVE))),
    "pcm24-stereo.wav": riff(fmt(1, 2, 96000, 24), chunk(b"data", pcm24(WAVE))),
    "pcm32-stereo.wav": riff(fmt(1, 2, 48000, 32), chunk(b"data", struct.pack("<6i", 0, 1 << 30, -(1 << 31), 5, 7, -9))),
    "float-mono.wav": riff(fmt(3, 1, 22050, 32), chunk(b"data", float32(WAVE))),
    "extensible-float.wav": riff(extensible(3, 2, 48000, 32), chunk(b"data", float32(WAVE))),
    "list-and-odd.wav": riff(chunk(b"junk", b"abc"), fmt(1, 1, 8000, 16), chunk(b"LIST", b"INFOtext"),
                             chunk(b"data", pcm16(WAVE))),
    "two-data.wav": riff(fmt(1, 1, 8000, 16), chunk(b"data", pcm16(WAVE)), chunk(b"data", pcm16(WAVE[:2]))),
    "truncated-data.wav": riff(fmt(1, 2, 44100, 16), chunk(b"data", pcm16(WAVE), declared=4000)),
    "pcm8.wav": riff(fmt(1, 1, 8000, 8), chunk(b"data", bytes([128, 200, 50, 128]))),
    "many-data.wav": riff(fmt(1, 2, 8000, 16), *(chunk(b"data", pcm16(WAVE[:n])) for n in (2, 6, 4, 2, 6, 4))),
    "data-before-fmt.wav": riff(chunk(b"data", pcm24(WAVE)), chunk(b"LIST", b"INFOtext"), fmt(1, 1, 96000, 24)),
    "odd-data-then-fmt.wav": riff(fmt(1, 2, 8000, 16), chunk(b"data", pcm16(WAVE) + b"\x01"), fmt(1, 1, 8000, 16)),
    "huge-declared-data.wav": riff(fmt(3, 2, 48000, 32), chunk(b"data", float32(WAVE), declared=0xFFFFFFF0)),
    "file-url.txt": b"file://localhost/tmp/a%20b%zz.wav",
}

os.makedirs(HERE, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
