#!/usr/bin/env python3
"""Fails when C++ code uses the C++ library's or glibc's wide-string code.

Under wineg++ wchar_t is 16 bits, but libstdc++'s compiled wide-string code and glibc's wcs*
functions assume 32: std::wstring's substr, for one, answers a wrong length past its short buffer.
Wide text is std::u16string / WCHAR with the Win32 W functions.

Usage: check_wide_strings.py SOURCE_ROOT
"""
import pathlib
import re
import sys

FOLDERS = ("framework", "engine", "app", "toolkit", "tests", "bench")
SUFFIXES = {".cpp", ".h", ".c", ".hpp"}
FORBIDDEN = re.compile(
    r"\bw(string|string_view|stringstream|ostringstream|istringstream|ostream|istream|fstream|ofstream|ifstream"
    r"|cout|cerr|cin|clog)\b|\bto_wstring\b|\bwcs[a-z]+\s*\(")


def offences(root):
    for folder in FOLDERS:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in SUFFIXES or not path.is_file():
                continue
            for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
                if FORBIDDEN.search(line):
                    yield f"{path.relative_to(root)}:{number}: {line.strip()}"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    found = list(offences(root))
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} use(s) of wide-string library code: use std::u16string and the W functions")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
