#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpora of the fuzz targets (corpus/<target>/) from the
golden scenarios, the example data and the program's own format texts.
Run from anywhere; existing seeds of the same name are replaced."""
import hashlib
import pathlib
import re
import struct

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
GOLDEN = ROOT / "tests" / "golden"
MAX_DATA = 8 * 1024


def put(target, payload):
    d = HERE / "corpus" / target
    d.mkdir(parents=True, exist_ok=True)
    name = hashlib.sha1(payload).hexdigest()[:16]
    (d / name).write_bytes(payload)


def program_formats():
    """Format texts of the program's statements (adjacent literals joined)."""
    found = []
    for src in sorted(list((ROOT / "driver").glob("*.cpp")) + list((ROOT / "reader").glob("*.cpp"))
                      + list((ROOT / "files").glob("*.cpp"))):
        text = src.read_text()
        for m in re.finditer(r'((?:"(?:[^"\\]|\\.)*"\s*)+)', text):
            parts = re.findall(r'"((?:[^"\\]|\\.)*)"', m.group(1))
            s = "".join(parts).replace('\\"', '"').replace("\\\\", "\\")
            if s.startswith("(") and len(s) > 2:
                found.append(s)
    return sorted(set(found))


EDGE_FORMATS = [
    "(I5", "I5)", "(1X,'abc)", "(0X)", "(2T5)", "(5HAB)", "(F5)", "(I5,,I5)", "(I5))",
    "(I5) trailing words", "(i4,12f5.1)", "12(F5.1)", "I4,12F5.1", "(I5,2(1X,F4.1))",
    "(I4,1X,12F6.2)", "(I5,2X,12F5.1)", "(I4/12F5.1)", "(BZ,I5,12F5.1)", "(T80,I3)",
    "(1P,I4,12E8.2E2)", "(I4,12G8.3)", "(I4,12D8.2)", "(SP,I4,12ES9.2)", "(I4,12EN9.2)",
    "(Q,I4,12Q5.1)", "(I4.2,12F5.1)", "(B8,O8,Z8,12F5.1)", "(L2,I4,12F5.1)", "(I0,12F0.1)",
    "(I4,:,12F5.1)", "(I4,$,12F5.1)", "(TL3,TR4,I4,12F5.1)", "(2(3(I4)),12F5.1)",
    "(I4,12F5.1,'x',\"y\",3Hab )", "(" * 21 + "I4" + ")" * 21, "(S,SS,SP,BN,I4,12F5.1)",
]


def main():
    formats = program_formats() + EDGE_FORMATS
    for i, f in enumerate(formats):
        put("format", bytes([i % 256]) + f.encode())
    values = [struct.pack("<ifd", 1950, 12.345, -0.004), struct.pack("<ifd", -12, float("nan"), 1e300),
              struct.pack("<ifd", 99999, float("inf"), 2.0 / 3.0)]
    for i, f in enumerate(program_formats()):
        put("write", values[i % 3] + bytes([i % 64]) + f.encode())

    data_lines = []
    for p in sorted((ROOT / "examples").glob("*.txt"))[:1]:
        data_lines += p.read_text(errors="replace").splitlines()[:12]
    layouts = ["(I4,12F5.1)", "(I5,12F5.1)", "(I4,12F5.2)", "(I4,12F6.1)", "(I5,2X,12F5.1)", "(A)",
               "(I4,1X,12F6.2)", "(60A1)"]
    for i, line in enumerate(data_lines):
        for j, f in enumerate(layouts):
            put("read", bytes([(i + j) % 3]) + f.encode() + b"\n" + line.encode())
    for f in EDGE_FORMATS:
        put("read", b"\x00" + f.encode() + b"\n" + b" 1950  1.2  3.4 -99.9   NA  NaN  INF    -")

    list_texts = ["1,,3", "1 , 3", "1 2 /", "/", "3*7.5", "2*,5", "12.0", "12", "'It''s'", "a b",
                  "-99.9 and words", "1901.9 1 2 3 4 5 6 7 8 9 10 11 12", "1.5-2", "1.5E2", "INF NaN",
                  "\n\n7\n", "'multi\nline'", "3*,5", "*5"]
    for scn in sorted(GOLDEN.iterdir()):
        a = scn / "answers.txt"
        if a.exists():
            list_texts += [l for l in a.read_text(errors="replace").splitlines() if l][:6]
    for i, t in enumerate(list_texts):
        put("list", bytes([i % 256, (i * 37) % 256]) + t.encode())
        put("list", bytes([i % 256, 0x80 | (i % 128)]) + t.encode())

    # The dialogue: each scenario's answers with its file names as the
    # target names them, then its data file.
    for scn in sorted(GOLDEN.iterdir()):
        a = scn / "answers.txt"
        if not a.exists():
            continue
        inputs = sorted((scn / "input").glob("*")) if (scn / "input").is_dir() else []
        names = {p.name for p in inputs}
        data = b""
        lines = a.read_text(errors="replace").split("\n")
        out = []
        seen_input = False
        for l in lines:
            if l.strip() in names and not seen_input:
                seen_input = True
                data = (scn / "input" / l.strip()).read_bytes()
                out.append("data.txt")
            elif l.strip() in names or l.strip().endswith(".txt"):
                out.append("out.txt")
            else:
                out.append(l)
        put("dialogue", "\n".join(out).encode() + b"\n@@\n" + data[:MAX_DATA])
    for p in sorted((ROOT / "examples").glob("*.txt")):
        answers = "\ndata.txt\n0\nout.txt\n111111111111\n1\n-99.9\nn\n3\n\n"
        put("dialogue", answers.encode() + b"@@\n" + p.read_bytes()[:MAX_DATA])


if __name__ == "__main__":
    main()
