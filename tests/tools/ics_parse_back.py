#!/usr/bin/env python3
"""Reads the almanac's calendar export back with an independent parser (python3-icalendar).

Checks the event count against the crew's JSON plan (whose local times and UTC offsets are
turned into UTC here), the first and last event of a year, the nights across the spring and
autumn switches (7 and 9 hours in UTC), CR LF line ends and folding, that UIDs stay the
same when the export starts on another day, and that a later export of a shift carries a
higher SEQUENCE and LAST-MODIFIED (so it wins on re-import).
Usage: ics_parse_back.py PATH_TO_DORVALEN_ALMANAC
"""
import datetime
import json
import os
import subprocess
import sys
import tempfile
import time

import icalendar

UTC = datetime.timezone.utc


def almanac(tool, cwd, *args):
    # No settings file in the working directory nor in the (empty) configuration folder
    # the almanac falls back to: the clock's defaults (zone 1, summer time).
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(cwd, "config"))
    run = subprocess.run([tool, *args], cwd=cwd, env=env, capture_output=True, check=False)
    if run.returncode != 0:
        sys.exit(f"{args}: exit {run.returncode}: {run.stderr.decode()}")
    return run.stdout


def events(raw):
    calendar = icalendar.Calendar.from_ical(raw)
    assert calendar["VERSION"] == "2.0" and calendar.get("PRODID"), "VERSION and PRODID"
    found = []
    for e in calendar.walk("VEVENT"):
        start, end = e.decoded("DTSTART"), e.decoded("DTEND")
        assert start.tzinfo is not None and start.utcoffset() == datetime.timedelta(0), start
        stamp, modified = e.decoded("DTSTAMP"), e.decoded("LAST-MODIFIED")
        assert stamp.utcoffset() == datetime.timedelta(0), "DTSTAMP in UTC"
        assert modified == stamp, "LAST-MODIFIED is the moment of export"
        assert str(e["CATEGORIES"].to_ical().decode()) in str(e["SUMMARY"]), e["SUMMARY"]
        found.append({"uid": str(e["UID"]), "summary": str(e["SUMMARY"]), "start": start, "end": end,
                      "sequence": e.decoded("SEQUENCE"), "modified": modified})
    return found


def check_lines(raw):
    assert raw.endswith(b"\r\n"), "last line ends with CR LF"
    lines = raw[:-2].split(b"\r\n")
    assert all(b"\n" not in line and b"\r" not in line for line in lines), "bare LF or CR"
    assert max(len(line) for line in lines) <= 75, "lines folded at 75 octets"


def main():
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory() as cwd:
        year = almanac(tool, cwd, "--crew", "Rot", "--from", "2026-01-01", "--days", "365", "--ics")
        check_lines(year)
        shifts = events(year)
        plan = json.loads(almanac(tool, cwd, "--crew", "0", "--from", "2026-01-01", "--days", "365", "--json"))

        # Every planned shift is one event at the same instants, in order.
        assert len(shifts) == len(plan) > 150, (len(shifts), len(plan))
        for event, entry in zip(shifts, plan):
            start = datetime.datetime.fromisoformat(entry["start"]).astimezone(UTC)
            end = datetime.datetime.fromisoformat(entry["end"]).astimezone(UTC)
            assert (event["start"], event["end"]) == (start, end), (event, entry)

        # Crew 0 stands in the swapped week from 29 Dec 2025 to 4 Jan 2026, then has nights;
        # on Thursday 31 Dec 2026 it works the late shift (rota day 3).
        first, last = shifts[0], shifts[-1]
        assert first["summary"] == "Nachtschicht · Crew 0 (Rot)", first
        assert first["start"] == datetime.datetime(2026, 1, 5, 20, 45, tzinfo=UTC), first
        assert first["end"] == datetime.datetime(2026, 1, 6, 4, 45, tzinfo=UTC), first
        assert last["summary"] == "Spätschicht · Crew 0 (Rot)", last
        assert last["start"] == datetime.datetime(2026, 12, 31, 12, 45, tzinfo=UTC), last

        # Saturday night 21:45 to Sunday 5:45 local; the clock switches at local midnight.
        by_start = {e["start"]: e for e in shifts}
        for start, hours in ((datetime.datetime(2026, 3, 28, 20, 45, tzinfo=UTC), 7),
                             (datetime.datetime(2026, 10, 24, 19, 45, tzinfo=UTC), 9)):
            night = by_start[start]
            assert night["end"] - night["start"] == datetime.timedelta(hours=hours), night

        uids = [e["uid"] for e in shifts]
        assert len(set(uids)) == len(uids), "UIDs unique"
        time.sleep(1.1)
        later = events(almanac(tool, cwd, "--crew", "0", "--from", "2026-03-01", "--days", "61", "--ics"))
        assert later, "events in March and April"
        known = {e["uid"]: e for e in shifts}
        for e in later:
            old = known.get(e["uid"])
            assert old and all(old[k] == e[k] for k in ("summary", "start", "end")), e  # same shift
            # Exported at least a second later: a calendar that re-imports it takes it.
            assert e["sequence"] > old["sequence"] and e["modified"] > old["modified"], (old, e)
    print(f"{len(shifts)} events read back")


if __name__ == "__main__":
    main()
