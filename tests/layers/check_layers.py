#!/usr/bin/env python3
"""Fails when a source file includes a folder it may not reach.

A folder is a library that includes only itself and the folders below it; a test folder
reaches what its library reaches, plus the test support. Usage: check_layers.py SOURCE_DIR
"""
import pathlib
import re
import sys

BELOW = {
    "core": set(),
    "rota": {"core"},
    "astro": {"core"},
    "phases": {"core", "astro"},
    "settings": {"core"},
    "canvas": {"core"},
    "face": {"core", "rota", "astro", "phases", "settings", "canvas"},
    "ui": {"core", "rota", "astro", "phases", "settings", "canvas", "face"},
    "tools": {"core", "rota", "astro", "phases", "settings", "canvas", "face"},
}
BELOW["bench"] = BELOW["tools"] | {"tools"}
BELOW["fuzz"] = BELOW["tools"] | {"tools"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/')


def allowed(path: pathlib.PurePath) -> set:
    parts = path.parts
    if parts[0] == "tests":
        if len(parts) < 3 or parts[1] == "support":
            return set(BELOW) | {"tests"}
        folder = parts[1]
        return BELOW.get(folder, set()) | {folder, "tests"}
    return BELOW.get(parts[0], set()) | {parts[0]}


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    bad = []
    for folder in list(BELOW) + ["tests"]:
        for file in sorted((root / folder).rglob("*")):
            if file.suffix not in (".h", ".cpp", ".inc"):
                continue
            rel = file.relative_to(root)
            may = allowed(rel)
            for number, line in enumerate(file.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if match and match.group(1) not in may:
                    bad.append(f"{rel}:{number}: includes {match.group(1)}/")
    for line in bad:
        print(line)
    print(f"{len(bad)} forbidden include(s)" if bad else "layers: every include runs downward")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
