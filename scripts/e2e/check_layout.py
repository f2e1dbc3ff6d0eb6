#!/usr/bin/env python3
"""Checks a saved layout file against what the session did.

    check_layout.py LAYOUT CATALOGUE_TSV EXPECTED_JSON

CATALOGUE_TSV is the output of "r8tool catalogue" (field names to base ids).
EXPECTED_JSON: {"objects": [[type, x, y, pages, field-name or null, {attribute: value}?], ...],
                "pages": {"0": ["name", trigger], ...}}; a field of null is not
checked, pages not named there must have an empty name and no trigger, and
every page must be enabled. Prints every difference and exits 1 when there is one.
"""
import json
import sys
import xml.etree.ElementTree as ET


def main():
    layout, catalogue, expected_json = sys.argv[1:4]
    expected = json.loads(expected_json)
    ids = {}
    with open(catalogue, encoding="utf-8") as f:
        for cols in (line.rstrip("\n").split("\t") for line in f if not line.startswith("#")):
            if len(cols) >= 6:
                ids.setdefault(cols[5], int(cols[0]))

    root = ET.parse(layout).getroot()
    problems = []
    objects = list(root.iter("Object"))
    if len(objects) != len(expected["objects"]):
        problems.append(f"{len(objects)} elements saved, expected {len(expected['objects'])}")
    for i, (o, (typ, x, y, pages, field, *props)) in enumerate(zip(objects, expected["objects"])):
        want = {"ID": typ, "X": x, "Y": y, "Screens": pages, **(props[0] if props else {})}
        if field is not None:
            want["FieldID"] = ids.get(field, f"no field {field!r} in the catalogue")
        for key, value in want.items():
            if o.get(key) != str(value):
                problems.append(f"element {i}: {key} is {o.get(key)}, expected {value}")

    names = expected.get("pages", {})
    pages = list(root.iter("Page"))
    if len(pages) != 16:
        problems.append(f"{len(pages)} pages saved, expected 16")
    for p in pages:
        name, trig = names.get(p.get("PageID"), ["", 0])
        if (p.get("Name"), p.get("PageTrig"), p.get("Disabled")) != (name, str(trig), "0"):
            problems.append(f"page {p.get('PageID')}: name {p.get('Name')!r} trigger {p.get('PageTrig')} "
                            f"disabled {p.get('Disabled')}, expected {name!r} {trig} 0")

    for p in problems:
        print("  " + p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
