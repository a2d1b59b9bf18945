#!/usr/bin/env bash
# Installs the build into a scratch prefix, then builds each outside project against it with
# find_package(Kestrel) and runs its program under Wine, as a customer's project would.
#   install-package-test.sh [--screenshot] BUILD_DIR TOOLCHAIN_FILE WINEPREFIX GENERATOR PROJECT_DIR...
# Each project builds one program named after its folder. With --screenshot each program runs
# as `PROGRAM --screenshot FILE` and must exit 0 having written FILE.
set -euo pipefail
screenshot=0
if [[ "${1:-}" == "--screenshot" ]]; then screenshot=1; shift; fi
build="$1" toolchain="$2" wineprefix="$3" generator="$4"
shift 4
here="$(cd "$(dirname "$0")" && pwd)"
# One scratch area per set of projects, so that two such tests never share a prefix.
work="$build/pkgtest-$(basename "$(dirname "$1")")"
prefix="$work/prefix"
mkdir -p "$work"

rm -rf "$prefix"
echo "== cmake --install $build --prefix $prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }

for src in "$@"; do
  name="$(basename "$src")"
  out="$work/$name"
  echo "== configure and build $name"
  cmake -S "$src" -B "$out" -G "$generator" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$prefix" \
    -DKESTREL_WINEPREFIX="$wineprefix" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >"$work/$name.configure.log" 2>&1 || { cat "$work/$name.configure.log"; exit 1; }
  # A stale cache could point at an earlier prefix; the project must see this one.
  grep -q "^Kestrel_DIR:PATH=$prefix/lib/cmake/Kestrel\$" "$out/CMakeCache.txt" \
    || { echo "$name found Kestrel elsewhere:"; grep '^Kestrel_DIR' "$out/CMakeCache.txt"; exit 1; }
  cmake --build "$out" >"$work/$name.build.log" 2>&1 || { cat "$work/$name.build.log"; exit 1; }

  echo "== run $name"
  exe="$out/$name.exe"
  # Only what the package shipped may sit next to the program.
  for f in "$out"/*.dll; do
    [[ -e "$f" ]] || continue
    [[ -f "$prefix/bin/$(basename "$f")" ]] || { echo "unexpected DLL next to $name: $f"; exit 1; }
  done
  if [[ $screenshot -eq 1 ]]; then
    shot="$out/$name.bmp"
    rm -f "$shot"
    "$here/wine-run.sh" --prefix "$wineprefix" "$exe" --screenshot "Z:${shot//\//\\}"
    [[ -s "$shot" ]] || { echo "$name wrote no screenshot"; exit 1; }
  else
    "$here/wine-run.sh" --prefix "$wineprefix" "$exe"
  fi
done
