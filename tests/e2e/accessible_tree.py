#!/usr/bin/python3
"""Reads the running clock through the accessibility bus (pyatspi).

accessible_tree.py clock ALMANAC: the clock object's description starts with the current
time (hours and minutes) and names the crew on shift now, as the almanac lists its shifts.
accessible_tree.py dialog: every text field of the settings dialog is named by a label of
that dialog, the Ost/West pairs are told apart, and no name begins with a blank.
"""
import datetime
import json
import subprocess
import sys
import time

import pyatspi


def fail(text):
    print("FAIL: " + text)
    sys.exit(1)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find(match, what):
    for _ in range(50):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Dorvalen":
                for node in walk(app):
                    if match(node):
                        return node
        time.sleep(0.1)
    fail("no " + what + " on the accessibility bus")


def crew_now(almanac, now):
    day_before = (now - datetime.timedelta(days=1)).strftime("%Y-%m-%d")
    for crew in range(5):
        out = subprocess.run([almanac, "--crew", str(crew), "--from", day_before, "--days", "2",
                              "--json"], capture_output=True, text=True, check=True).stdout
        for shift in json.loads(out):
            start = datetime.datetime.fromisoformat(shift["start"][:19])
            end = datetime.datetime.fromisoformat(shift["end"][:19])
            if start <= now < end:
                return ["Rot", "Blau", "Gelb", "Grün", "Orange"][crew]
    fail("the almanac lists no crew on shift now")


def check_clock(almanac):
    clock = find(lambda n: n.name == "Dorvalen" and n.getRole() != pyatspi.ROLE_APPLICATION,
                 "clock object")
    before = datetime.datetime.now()
    text = clock.description
    after = datetime.datetime.now()
    print("description: " + text)
    said = {f"{t.hour}:{t.minute:02d} Uhr," for t in (before, after)}
    if not any(text.startswith(s) for s in said):
        fail(f"the description does not start with the time now ({' or '.join(sorted(said))})")
    crew = crew_now(almanac, after)
    if f"Schicht jetzt: {crew} bis " not in text:
        fail(f"the description does not name {crew}, the crew on shift now")
    print(f"clock role {clock.getRoleName()!r}, name {clock.name!r}; time and crew {crew} said")


def check_dialog():
    dialog = find(lambda n: n.name == "Programmeinstellungen", "settings dialog")
    nodes = list(walk(dialog))
    labels = {n.name for n in nodes if n.getRole() == pyatspi.ROLE_LABEL}
    fields = [n.name for n in nodes if n.getRole() == pyatspi.ROLE_TEXT]
    if sorted(fields) != sorted(["Name:", "Länge:", "Breite:", "Zeitzone:"]):
        fail(f"the text fields are named {fields}")
    if not set(fields) <= labels:
        fail(f"field names {fields} are not the labels {sorted(labels)}")
    options = [n.name for n in nodes if n.getRole() == pyatspi.ROLE_RADIO_BUTTON]
    if len(set(options)) != len(options):
        fail(f"options that sound alike: {options}")
    blank = [n.name for n in nodes if n.name.startswith(" ")]
    if blank:
        fail(f"names beginning with a blank: {blank}")
    print(f"fields named {fields}; options {options}")


if __name__ == "__main__":
    if sys.argv[1] == "clock":
        check_clock(sys.argv[2])
    else:
        check_dialog()
