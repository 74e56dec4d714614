#!/usr/bin/env python3
"""Writes reader/text/code_page_known.h from converter_table's output.

Usage: make_code_page_known.py LINUX_DIR WINDOWS_DIR > reader/text/code_page_known.h

Each folder holds ENCODING.txt, converter_table's lines for that encoding:
LINUX_DIR from the Linux build (glibc's iconv), WINDOWS_DIR from the Windows
build run under wine with the tables of code_page_known.h empty, so that it
shows the code pages' own answers. The characters of one and two bytes on
which they disagree become each encoding's table of iconv's answers, and
GB18030's characters of four bytes (which the Windows converter does not ask
a code page for) become ranges of consecutive code points.
"""
import sys

ENCODINGS = [("gb18030", "Gb18030"), ("big5", "Big5"), ("latin1", "Latin1"),
             ("windows-1252", "Windows1252"), ("shift_jis", "ShiftJis")]


def read(path):
    table = {}
    with open(path) as lines:
        for line in lines:
            key, answer = line.rstrip("\n").split("\t")
            table[tuple(int(b, 16) for b in key.split())] = answer
    return table


def code_point(answer):
    if answer == "bad":
        return "kNoCharacter"
    text = bytes.fromhex(answer.replace(" ", "")).decode("utf-8")
    if len(text) != 1:
        raise SystemExit(f"not one character: {answer}")
    return f"0x{ord(text):04X}"


def known(linux, windows):
    entries = []
    for key, answer in sorted(linux.items()):
        whole = len(key) == 1 or (len(key) == 2 and linux[key[:1]] == "cut")
        if not whole or windows.get(key) == answer:
            continue
        if "cut" in (answer, windows.get(key)):
            raise SystemExit(f"the cut-off bytes differ at {key}")
        value = 0
        for byte in key:
            value = value << 8 | byte
        entries.append(f"    {{0x{value:0{2 * len(key)}X}, {code_point(answer)}}},")
    return entries


def four_byte_ranges(linux):
    ranges = []
    for key, answer in sorted(linux.items()):
        if len(key) != 4 or answer in ("bad", "cut"):
            continue
        index = (((key[0] - 0x81) * 10 + key[1] - 0x30) * 126 + key[2] - 0x81) * 10 + key[3] - 0x30
        point = ord(bytes.fromhex(answer.replace(" ", "")).decode("utf-8"))
        if ranges and ranges[-1][1] == index - 1 and ranges[-1][2] + index - ranges[-1][0] == point:
            ranges[-1][1] = index
        else:
            ranges.append([index, index, point])
    return [f"    {{{first}, {last}, 0x{point:04X}}}," for first, last, point in ranges]


def main():
    out = ["#pragma once", "",
           "// The characters on which Windows' code pages and glibc's iconv disagree,",
           "// with iconv's answer, and GB18030's characters of four bytes as iconv",
           "// reads them (code_page_rules.h). Written by",
           "// tests/reader/converter/make_code_page_known.py from the converters' tables.",
           "", '#include "reader/text/code_page_rules.h"', "", "namespace reading {", ""]
    for name, symbol in ENCODINGS:
        linux = read(f"{sys.argv[1]}/{name}.txt")
        windows = read(f"{sys.argv[2]}/{name}.txt")
        entries = known(linux, windows) or ["    {0xFFFFFFFF, kNoCharacter},  // none"]
        out += [f"inline constexpr KnownCharacter k{symbol}Known[] = {{"] + entries + ["};", ""]
        if name == "gb18030":
            out += ["// By the four bytes' index: ((b1 - 0x81) * 10 + b2 - 0x30) * 1260 +",
                    "// (b3 - 0x81) * 10 + b4 - 0x30.",
                    "inline constexpr FourByteRange kGb18030FourBytes[] = {"]
            out += four_byte_ranges(linux) + ["};", ""]
    out += ["}  // namespace reading"]
    print("\n".join(out))


main()
