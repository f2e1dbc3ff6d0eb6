#!/usr/bin/env python3
"""Checks a saved layout file against what the session did.

    check_layout.py LAYOUT CATALOGUE_TSV EXPECTED_JSON

CATALOGUE_TSV is the output of "r8tool catalogue" (field names to base ids).
EXPECTED_JSON: {"objects": [[type, x, y, pages, field-name or null], ...],
                "pages": {"0": ["name", trigger], ...}}; pages not named there
must have an empty name and no trigger, and every page must be enabled.
Prints every difference and exits 1 when there is one.
"""
import json
import sys
import xml.etree.ElementTree as ET


def main():
    layout, catalogue, expected_json = sys.argv[1:4]
    expected = json.loads(expected_json)
    ids = {}
    with open(catalogue, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            cols = line.rstrip("\n").split("\t")
            if len(cols) >= 6:
                ids.setdefault(cols[5], int(cols[0]))

    root = ET.parse(layout).getroot()
    problems = []
    if root.tag != "ZarvinLayout":
        problems.append(f"root element is {root.tag}")

    got = [(int(o.get("ID")), int(o.get("X")), int(o.get("Y")), int(o.get("Screens")), int(o.get("FieldID")))
           for o in root.iter("Object")]
    want = []
    for typ, x, y, pages, field in expected["objects"]:
        if field is not None and field not in ids:
            problems.append(f"the catalogue has no field {field!r}")
        want.append((typ, x, y, pages, ids.get(field, -1) if field is not None else None))
    if len(got) != len(want):
        problems.append(f"{len(got)} elements saved, expected {len(want)}")
    for i, (g, w) in enumerate(zip(got, want)):
        # A field of None means the element type has no field to check.
        wcmp = w if w[4] is not None else w[:4] + (g[4],)
        if g != wcmp:
            problems.append(f"element {i}: (type, x, y, pages, field) = {g}, expected {wcmp}")

    names = expected.get("pages", {})
    seen = set()
    for p in root.iter("Page"):
        pid = p.get("PageID")
        seen.add(pid)
        name, trig = names.get(pid, ["", 0])
        if p.get("Name") != name or int(p.get("PageTrig")) != trig or p.get("Disabled") != "0":
            problems.append(f"page {pid}: name {p.get('Name')!r} trigger {p.get('PageTrig')} "
                            f"disabled {p.get('Disabled')}, expected {name!r} {trig} 0")
    if len(seen) != 16:
        problems.append(f"{len(seen)} pages saved, expected 16")

    for p in problems:
        print("  " + p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
