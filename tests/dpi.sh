#!/usr/bin/env bash
# Runs the tests that depend on the screen's DPI at 96, 120, 144 and 192 DPI: the text-fit
# checks of the main window and the three dialogs, the "..." zones, the tips' width and the
# about box's name. Wine reads the DPI (HKCU\Control Panel\Desktop LogPixels) as a program
# starts: the runs have a prefix of their own (BUILD/dpiprefix) and a wine server per DPI.
#   dpi.sh ROOT BUILD ARCH TEST_EXE       (on the suite's display)
set -uo pipefail
root=$1 build=$2 arch=$3 exe=$4 selhalo=
. "$root/tools/sestaveni"
# Run straight from CTest, the suite's display is the runner's.
[ -n "${DISPLAY:-}" ] || DISPLAY=$(bash "$root/tools/prostredi" "$arch" "$build" --displej) || exit 1
export DISPLAY
pouzij_wine "$arch" "$build"
export WINEPREFIX="$build/dpiprefix" WINEDEBUG=-all
"$root/tools/prefix" "$WINEPREFIX" "$build" && mkdir -p "$build/sandbox" && cd "$build/sandbox" || exit 1
for dpi in 96 120 144 192; do
  wineserver -p >/dev/null 2>&1 </dev/null &
  # The first program starts Wine's services: detached from the output that CTest reads.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  echo "dpi.sh: $dpi DPI"
  TESVARIN_DPI=$dpi wine "$exe" --gtest_filter='EditSlozkaOkno.KurzorTip*:HlavniOkno.TextySeVejdou:HlavniOkno.Tipy*:VstupTextu.*:Predvolby.*:OAplikaci.*' ||
    selhalo="$selhalo $dpi"
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
done
[ -z "$selhalo" ] || { echo "dpi.sh: failed at$selhalo DPI"; exit 1; }
