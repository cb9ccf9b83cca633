#!/usr/bin/env python3
"""Writes the seed corpus of the chunk reader fuzzer: one small valid file per format."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds")
UID = 0x42767331
VERSION = 10001
VALUES = [-6.0, 1.0, 2.0, 440.0]
NORMALIZED = [0.78, 1.0, 1.0, 0.46]


def params_chunk():
    return b"".join(struct.pack("<d", v) for v in VALUES)


def preset_list():
    out = b""
    for name, init in (("First", True), ("", False), ("Third", True)):
        out += struct.pack("<i", len(name)) + name.encode() + struct.pack("<?", init)
        if init:
            out += params_chunk()
    return out


def fxp_params(name=b"Seed"):
    return (b"CcnK" + struct.pack(">i", 0) + b"FxCk" + struct.pack(">iiii", 1, UID, VERSION, len(VALUES))
            + name.ljust(28, b"\0") + b"".join(struct.pack(">f", v) for v in NORMALIZED))


def with_prefix(body):
    return b"tffp" + struct.pack("<i", 0x10000) + body


def fxp_chunk():
    state = with_prefix(params_chunk())
    return (b"CcnK" + struct.pack(">i", len(state) + 60) + b"FPCh" + struct.pack(">iiii", 1, UID, VERSION, len(VALUES))
            + b"Seed".ljust(28, b"\0") + struct.pack(">i", len(state)) + state)


def bank_header(tag, count, size):
    return b"CcnK" + struct.pack(">i", size) + tag + struct.pack(">iiii", 1, UID, VERSION, count) + bytes(128)


def fxb_params():
    return bank_header(b"FxBk", 3, 0) + fxp_params(b"One") + fxp_params(b"Two") + fxp_params(b"Three")


def fxb_chunk():
    state = with_prefix(preset_list())
    return bank_header(b"FBCh", 3, len(state) + 160) + struct.pack(">i", len(state)) + state


os.makedirs(HERE, exist_ok=True)
for name, data in (("params.bin", params_chunk()), ("presets.bin", preset_list()), ("params.fxp", fxp_params()),
                   ("chunk.fxp", fxp_chunk()), ("params.fxb", fxb_params()), ("chunk.fxb", fxb_chunk())):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
