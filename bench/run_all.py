#!/usr/bin/env python3
"""Runs every benchmark program of a build and prints one table:
figure, value, target and whether it is met."""
import os
import re
import shutil
import subprocess
import sys
import time

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


def timed(cmd, **kw):
    """Best wall time of three runs in seconds, or None when the command fails."""
    best = None
    for _ in range(kw.pop("runs", 3)):
        t = time.perf_counter()
        r = subprocess.run(cmd, capture_output=True, timeout=900, **kw)
        if r.returncode != 0:
            return None
        best = min(best or 1e9, time.perf_counter() - t)
    return best


# Side by side on the same OpenAir text: our reader (r8tool airspace-summary),
# an independent parser from npm (installed into the build folder for this
# comparison only) and awk printing the first word of every line as a floor.
french = os.path.join(root, "..", "shared", "data", "openair", "fr_ffvp_2026.txt")
npm_dir = os.path.join(build, "npm")
if not os.path.isdir(os.path.join(npm_dir, "node_modules", "@openaip", "openair-parser")) and shutil.which("npm"):
    print("installing the comparison parser with npm ...", file=sys.stderr)
    subprocess.run(["npm", "install", "--prefix", npm_dir, "--no-audit", "--no-fund", "@openaip/openair-parser"],
                   capture_output=True, timeout=600)
ours = timed([os.path.join(build, "r8tool"), "airspace-summary", french], env=env)
awk = timed(["awk", "{print $1}", french])
node_env = dict(env, NODE_PATH=os.path.join(npm_dir, "node_modules"))
other = timed(["node", os.path.join(root, "bench", "openair_parser.js"), french], env=node_env, runs=1) \
    if shutil.which("node") else None


def ratio(a, b):
    return None if a is None or b is None else a / b


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
    ("read the 2.1 MB French OpenAir file into the store (ms)", get("BenchAirspace::readEach[fr_openaip_2025.txt]"), 15.0),
    ("read all twenty OpenAir files (ms)", get("BenchAirspace::readAllTwenty"), 300.0),
    ("read the 50 MB input (ms)", get("BenchAirspace::readBig"), 350.0),
    ("resident memory for it (x the input)", get("BenchAirspace::readBigMemory"), 3.0),
    ("r8tool airspace-summary of 50 MB (ms)", get("BenchAirspace::summaryBig"), 600.0),
    ("airspace dialog shows 50 MB (ms)", get("BenchAirspace::dialogShowsBig"), 1000.0),
    ("filter change with estimate, 50 MB (ms)", get("BenchAirspace::filterChangeBig"), 50.0),
    ("map repaint, largest real file (ms)", get("BenchAirspace::mapRepaintLargest[repaint]"), 16.0),
    ("map pan (airspaces drawn again), largest file (ms)", get("BenchAirspace::mapRepaintLargest[pan]"), None),
    ("uncheck/check a 50 MB file (ms)", get("BenchAirspace::uncheckCheckBig"), 30.0),
    ("OpenAir fuzz work, 4 KB inputs (inputs/s, more is better)", get("BenchAirspace::fuzzInputsPerSecond"), -2000.0),
    ("fr_ffvp_2026: r8tool airspace-summary (ms)", None if ours is None else ours * 1000, None),
    ("fr_ffvp_2026: npm openair-parser (ms)", None if other is None else other * 1000, None),
    ("fr_ffvp_2026: awk '{print $1}' (ms)", None if awk is None else awk * 1000, None),
    ("npm openair-parser / r8tool (x)", ratio(other, ours), None),
    ("r8tool / awk (x)", ratio(ours, awk), None),
    ("read the longest IGC log, all values and events (ms)", get("BenchFlight::readAndCompute"), 50.0),
    ("one flight preview frame, 15 elements, zoom 2 (ms)", get("BenchFlight::previewFrame"), 5.0),
    ("start-up to idle main window (ms)", get("BenchStartup::startupToIdle"), 400.0),
    ("resident memory when idle (MB)",
     None if get("BenchStartup::residentMemory") is None else get("BenchStartup::residentMemory") / 1024, 80.0),
]

print(f"{'figure':<62} {'value':>10} {'target':>10}  met")
print("-" * 90)
for name, value, target in rows:
    # A negative target is a floor: the value must reach it.
    v = "n/a" if value is None else f"{value:.3g}"
    t = "-" if target is None else (f">= {-target:g}" if target < 0 else f"< {target:g}")
    met = "-" if target is None or value is None else \
        ("yes" if (value >= -target if target < 0 else value < target) else "NO")
    print(f"{name:<62} {v:>10} {t:>10}  {met}")
print("\nall results:", file=sys.stderr)
for k, (v, unit) in sorted(results.items()):
    print(f"  {k}: {v} {unit}", file=sys.stderr)
