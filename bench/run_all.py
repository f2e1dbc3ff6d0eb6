#!/usr/bin/env python3
"""Runs every benchmark program of a build and prints one table:
figure, value, target and whether it is met."""
import os
import re
import subprocess
import sys

build = sys.argv[1] if len(sys.argv) > 1 else "build"
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
           R8_BUNDLE_DIR=os.path.join(build, "R8designer.app/Contents/MacOS"),
           R8_OPENAIR_DIR=os.path.join(root, "..", "shared", "data", "openair"),
           R8_IGC_DIR=os.path.join(root, "..", "shared", "data", "igc"),
           R8SIM=os.path.join(build, "r8sim"), R8TOOL=os.path.join(build, "r8tool"))

RESULT = re.compile(r'^RESULT : (\S+?)\(\):(?:"(.*)":)?\s*$')
VALUE = re.compile(r'^\s*([0-9.,e+-]+) (msecs|events|\S+ per iteration|\S+)')

results = {}  # "Class::func[tag]" -> (value, unit)
for prog in sorted(os.listdir(build)):
    if not prog.startswith("bench_") or not os.access(os.path.join(build, prog), os.X_OK):
        continue
    print(f"running {prog} ...", file=sys.stderr)
    out = subprocess.run([os.path.join(build, prog)], env=env, capture_output=True, text=True,
                         timeout=900).stdout.splitlines()
    for i, line in enumerate(out):
        m = RESULT.match(line)
        if m and i + 1 < len(out):
            v = VALUE.match(out[i + 1])
            if v:
                key = m.group(1) + (f"[{m.group(2)}]" if m.group(2) else "")
                results[key] = (float(v.group(1).replace(",", "")), v.group(2))


def get(key):
    return results.get(key, (None, None))[0]


def per(a, b, n):
    return None if get(a) is None or get(b) is None else (get(a) - get(b)) / n


rows = [
    ("paint one page, 60 elements, zoom 2 (ms)", get("BenchPaint::paintPage"), 2.0),
    ("catalogue load, model 1 English (ms)", get("BenchCatalogue::load[model 1 lang 1]"), None),
    ("save 2,000 elements in the window (ms)", get("BenchDocument::save"), 50.0),
    ("load 2,000 elements in the window (ms)", get("BenchDocument::load"), 100.0),
    ("300 sentences through the sender (ms)", get("BenchLink::senderBatch"), 1000.0),
    ("sender cost per sentence beyond round trip (ms)",
     per("BenchLink::senderBatch", "BenchLink::roundTripOnly", 300), 1.0),
    ("firmware worker cost per block beyond round trip (ms)",
     per("BenchFirmware::transfer", "BenchFirmware::roundTrip", 498), 1.0),
    ("read the 2.1 MB French OpenAir file (ms)", get("BenchAirspace::readEach[fr_openaip_2025.txt]"), 45.0),
    ("read all twenty OpenAir files (ms)", get("BenchAirspace::readAllTwenty"), 300.0),
    ("uncheck/check the largest file (ms)", get("BenchAirspace::uncheckCheckLargest"), 30.0),
    ("read the longest IGC log, all values and events (ms)", get("BenchFlight::readAndCompute"), 50.0),
    ("one flight preview frame, 15 elements, zoom 2 (ms)", get("BenchFlight::previewFrame"), 5.0),
    ("start-up to idle main window (ms)", get("BenchStartup::startupToIdle"), 400.0),
    ("resident memory when idle (MB)",
     None if get("BenchStartup::residentMemory") is None else get("BenchStartup::residentMemory") / 1024, 80.0),
]

print(f"{'figure':<56} {'value':>10} {'target':>10}  met")
print("-" * 84)
for name, value, target in rows:
    v = "n/a" if value is None else f"{value:.3g}"
    t = "-" if target is None else f"< {target:g}"
    met = "-" if target is None or value is None else ("yes" if value < target else "NO")
    print(f"{name:<56} {v:>10} {t:>10}  {met}")
print("\nall results:", file=sys.stderr)
for k, (v, unit) in sorted(results.items()):
    print(f"  {k}: {v} {unit}", file=sys.stderr)
