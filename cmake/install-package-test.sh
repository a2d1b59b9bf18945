#!/usr/bin/env bash
# Installs the build into a scratch prefix, builds tests/install_host against it with
# find_package(Kestrel) and runs the host under Wine.
#   install-package-test.sh BUILD_DIR HOST_SOURCE_DIR TOOLCHAIN_FILE WINEPREFIX GENERATOR
set -euo pipefail
build="$1" host_src="$2" toolchain="$3" wineprefix="$4" generator="$5"
here="$(cd "$(dirname "$0")" && pwd)"
work="$build/pkgtest"
prefix="$work/prefix"
host_build="$work/host"

rm -rf "$prefix"
echo "== cmake --install $build --prefix $prefix"
cmake --install "$build" --prefix "$prefix" >"$work.install.log" 2>&1 || { cat "$work.install.log"; exit 1; }

echo "== configure and build install_host"
cmake -S "$host_src" -B "$host_build" -G "$generator" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$prefix" \
  -DKESTREL_WINEPREFIX="$wineprefix" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  >"$work.configure.log" 2>&1 || { cat "$work.configure.log"; exit 1; }
# A stale cache could point at an earlier prefix; the host must see this one.
grep -q "^Kestrel_DIR:PATH=$prefix/lib/cmake/Kestrel\$" "$host_build/CMakeCache.txt" \
  || { echo "install_host found Kestrel elsewhere:"; grep '^Kestrel_DIR' "$host_build/CMakeCache.txt"; exit 1; }
cmake --build "$host_build" >"$work.build.log" 2>&1 || { cat "$work.build.log"; exit 1; }

echo "== run install_host"
exe="$host_build/install_host.exe"
# Only what the package shipped may sit next to the host.
for f in "$host_build"/*.dll; do
  [[ -e "$f" ]] || continue
  [[ -f "$prefix/bin/$(basename "$f")" ]] || { echo "unexpected DLL next to host: $f"; exit 1; }
done
exec "$here/wine-run.sh" --prefix "$wineprefix" "$exe"
