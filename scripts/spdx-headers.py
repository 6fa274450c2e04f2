#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Разработчики Vibrona
# SPDX-License-Identifier: GPL-3.0-or-later

# Adds the copyright and licence header to every source, script and CMake file of the
# tree that lacks one, in the comment style of the file's language:
#
#     python3 scripts/spdx-headers.py [--check]
#
# Files that already name a licence are left alone, so running it twice changes
# nothing. With --check nothing is written; the files that lack a header are listed
# and the exit status is 1 when there are any. Pictures, Markdown, the fuzz corpus and
# the Debian changelog cannot carry a header: .reuse/dep5 states their licence.
import datetime
import os
import subprocess
import sys

HOLDER = "Разработчики Vibrona"
# Split, so that licence scanners do not take this script's own text for its header.
COPYRIGHT_TAG = "SPDX-" + "FileCopyrightText: "
LICENSE_TAG = "SPDX-" + "License-Identifier: "
LICENSE = "GPL-3.0-or-later"
# Metadata that AppStream and desktops read is given away freely.
METADATA_LICENSE = "CC0-1.0"
METADATA_SUFFIXES = (".metainfo.xml.in", ".desktop.in", "-mime.xml.in")

# (how the name ends, comment opener, comment closer)
STYLES = [
    ((".cpp", ".h", ".h.in"), "// ", ""),
    ((".sh", ".cmake", "CMakeLists.txt", ".supp", ".gitignore", ".clang-format",
      ".desktop.in", "debian/rules", "debian/control", "debian/watch",
      ".install", ".links", ".lintian-overrides", ".ci/run", "debian/tests/control", ".py"),
     "# ", ""),
    ((".xml.in", ".xml"), "<!-- ", " -->"),
    ((".1", ".1.in"), '.\\" ', ""),
]


def style_of(path):
    for endings, opener, closer in STYLES:
        if path.endswith(endings):
            return opener, closer
    return None


def header(path, opener, closer):
    year = datetime.date.today().year
    licence = METADATA_LICENSE if path.endswith(METADATA_SUFFIXES) else LICENSE
    return [f"{opener}{COPYRIGHT_TAG}{year} {HOLDER}{closer}\n",
            f"{opener}{LICENSE_TAG}{licence}{closer}\n"]


def with_header(path, text, opener, closer):
    lines = text.splitlines(keepends=True)
    # A shebang or an XML declaration has to stay the first line.
    keep = 1 if lines and (lines[0].startswith("#!") or lines[0].startswith("<?xml")) else 0
    added = header(path, opener, closer)
    rest = lines[keep:]
    if rest and rest[0].strip():
        added.append("\n" if opener != '.\\" ' else '.\\"\n')
    return "".join(lines[:keep] + added + rest)


def tree_files(root):
    listed = subprocess.run(
        ["git", "ls-files", "--cached", "--others", "--exclude-standard", "-z"],
        cwd=root, check=True, capture_output=True).stdout.decode().split("\0")
    return sorted(f for f in listed if f and os.path.isfile(os.path.join(root, f)))


def main():
    check = sys.argv[1:] == ["--check"]
    if sys.argv[1:] and not check:
        print("usage: spdx-headers.py [--check]", file=sys.stderr)
        return 2
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    lacking = []
    for path in tree_files(root):
        style = style_of(path)
        if style is None:
            continue
        full = os.path.join(root, path)
        with open(full, encoding="utf-8") as f:
            text = f.read()
        if any(LICENSE_TAG in line for line in text.splitlines()[:10]):
            continue
        lacking.append(path)
        if not check:
            with open(full, "w", encoding="utf-8") as f:
                f.write(with_header(path, text, *style))
    for path in lacking:
        print(("lacks a header: " if check else "header added: ") + path)
    return 1 if check and lacking else 0


if __name__ == "__main__":
    sys.exit(main())
