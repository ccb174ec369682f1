#!/usr/bin/env python3
"""Fails when a source file includes a folder it may not reach, or when a folder's link
lines and its includes disagree.

A folder is a library that includes only itself and the folders below it; a test folder
reaches what its library reaches, plus the test support. A folder links what it includes:
every folder it includes comes with its link line (directly or through a folder linked),
and every folder it links directly is one it includes. Usage: check_layers.py SOURCE_DIR
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
LINK = re.compile(r"target_link_libraries\(([^)]*)\)")
OURS = re.compile(r"\bdorvalen_(\w+)")


def allowed(path: pathlib.PurePath) -> set:
    parts = path.parts
    if parts[0] == "tests":
        if len(parts) < 3 or parts[1] == "support":
            return set(BELOW) | {"tests"}
        folder = parts[1]
        return BELOW.get(folder, set()) | {folder, "tests"}
    return BELOW.get(parts[0], set()) | {parts[0]}


def sources(root: pathlib.Path, folder: str):
    return (f for f in sorted((root / folder).rglob("*")) if f.suffix in (".h", ".cpp", ".inc"))


def links(root: pathlib.Path, folder: str) -> set:
    """The folders of ours named on the folder's link lines (all its targets)."""
    text = (root / folder / "CMakeLists.txt").read_text()
    named = {name for line in LINK.findall(text) for name in OURS.findall(line)}
    return (named & set(BELOW)) - {folder}


def link_faults(root: pathlib.Path) -> list:
    direct = {folder: links(root, folder) for folder in BELOW}
    def reach(folder: str) -> set:
        found, todo = set(), list(direct[folder])
        while todo:
            below = todo.pop()
            if below not in found:
                found.add(below)
                todo.extend(direct.get(below, ()))
        return found
    bad = []
    for folder in sorted(set(BELOW) - {"fuzz"}):  # fuzz compiles the sources it needs itself
        included = {m.group(1) for f in sources(root, folder)
                    for m in map(INCLUDE.match, f.read_text(errors="replace").splitlines()) if m}
        included = (included & set(BELOW)) - {folder}
        for missing in sorted(included - reach(folder)):
            bad.append(f"{folder}/CMakeLists.txt: includes {missing}/ but links nothing that brings it")
        for unused in sorted(direct[folder] - included):
            bad.append(f"{folder}/CMakeLists.txt: links {unused} but includes nothing of it")
    return bad


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    bad = link_faults(root)
    for folder in list(BELOW) + ["tests"]:
        for file in sources(root, folder):
            rel = file.relative_to(root)
            may = allowed(rel)
            for number, line in enumerate(file.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if match and match.group(1) not in may:
                    bad.append(f"{rel}:{number}: includes {match.group(1)}/")
    for line in bad:
        print(line)
    print(f"{len(bad)} fault(s)" if bad else "layers: every include runs downward and is linked")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
