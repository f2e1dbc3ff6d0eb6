#!/usr/bin/env bash
# Builds the Debian package in build/ (or $BUILD_DIR, already built), lists
# its files, unpacks it into a temporary root with dpkg -x and runs the
# packaged r8tool and r8sim from there; asks apt whether the package's
# dependencies can be met here (a simulated install, nothing is changed).
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
fail() { echo "test-package: $*" >&2; exit 1; }

rm -f "$BUILD_DIR"/r8designer_*.deb
(cd "$BUILD_DIR" && cpack -G DEB >/dev/null) || fail "cpack failed"
debs=("$BUILD_DIR"/r8designer_*_amd64.deb)
[ -f "${debs[0]}" ] || fail "no r8designer_VERSION_amd64.deb in $BUILD_DIR"
deb=${debs[0]}
echo "-- $deb"
dpkg-deb -f "$deb" Package Version Depends
echo "-- files"
dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//' | grep -v '/$'

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root" || fail "dpkg -x failed"

# Everything lives under /usr.
outside=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "files outside /usr: $outside"
for f in usr/bin/r8designer usr/bin/r8tool usr/bin/r8sim \
         usr/share/applications/r8designer.desktop \
         usr/share/icons/hicolor/64x64/apps/r8designer.png \
         usr/share/mime/packages/r8designer.xml; do
  [ -e "$root/$f" ] || fail "missing /$f"
done
bundle=$(dirname "$(readlink -f "$root/usr/bin/r8tool")")
[ -f "$bundle/R8strings.sqlite" ] || fail "no catalogue beside the programs"
ls "$bundle"/r8designer_*.qm >/dev/null 2>&1 || fail "no translations beside the programs"

# The packaged programs, through their links on PATH, with the packaged
# catalogue (a fresh home, so no per-user copy can stand in for it).
home=$root/home
mkdir -p "$home"
out=$(HOME=$home XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR= PATH=$root/usr/bin:$PATH \
      QT_QPA_PLATFORM=offscreen r8tool catalogue --model 3 2>/dev/null) || fail "r8tool catalogue failed"
fields=$(grep -c . <<<"$out")
echo "-- r8tool catalogue --model 3: $fields lines"
grep -q "Altitude" <<<"$out" || fail "the catalogue of the packaged r8tool has no Altitude field"
[ "$fields" -ge 60 ] || fail "the packaged catalogue lists only $fields lines"
PATH=$root/usr/bin:$PATH r8sim --help >/dev/null 2>&1 || fail "r8sim --help failed"

echo "-- apt-get install --simulate"
apt-get install --simulate -qq "./$deb" >/dev/null || fail "apt cannot install $deb here"
echo "test-package: $deb is complete"
