#!/usr/bin/env bash
# Runs a Windows program of the build under Wine (CMAKE_CROSSCOMPILING_EMULATOR).
#   wine-run.sh [--prefix DIR] [--managed] [--init] PROGRAM.exe [ARGS...]
# --managed: a prefix for a real desktop, whose window manager decorates and moves windows.
# Creates the Wine prefix once (under a lock: CTest runs tests in parallel), starts a
# private Xvfb only when DISPLAY is unset, and exits with the program's exit code.
# Exit code 77 means "cannot run here" (a 32-bit program without 32-bit Wine).
set -uo pipefail

prefix=""
init_only=0
managed=N
while [[ $# -gt 0 ]]; do
  case "$1" in
    --prefix) prefix="$2"; shift 2 ;;
    --init) init_only=1; shift ;;
    --managed) managed=Y; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done

if [[ $init_only -eq 0 && $# -lt 1 ]]; then
  echo "usage: $0 [--prefix DIR] [--managed] [--init] PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

exe=""
if [[ $init_only -eq 0 ]]; then
  exe="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
  shift
  [[ -f "$exe" ]] || { echo "wine-run: no such program: $exe" >&2; exit 2; }
  # Without a prefix given, the build tree's: bin/ sits directly under the build dir.
  [[ -n "$prefix" ]] || prefix="$(dirname "$(dirname "$exe")")/wineprefix"
fi
[[ -n "$prefix" ]] || { echo "wine-run: --init needs --prefix" >&2; exit 2; }
mkdir -p "$(dirname "$prefix")"
prefix="$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")"

# Debian's /usr/bin/wine picks the 32-bit loader when present and complains without it;
# the 64-bit loader itself is not on PATH.
wine64=""
for c in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null || true)"; do
  [[ -n "$c" && -x "$c" ]] && { wine64="$c"; break; }
done
wine32=""
for c in /usr/lib/wine/wine /usr/lib/i386-linux-gnu/wine/wine; do
  [[ -x "$c" ]] && { wine32="$c"; break; }
done
wineserver=""
for c in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver "$(command -v wineserver 2>/dev/null || true)"; do
  [[ -n "$c" && -x "$c" ]] && { wineserver="$c"; break; }
done
if [[ -z "$wine64" || -z "$wineserver" ]]; then
  echo "wine-run: Wine (wine64) is not installed" >&2
  exit 2
fi

# PE machine field: 0x14c = i386.
pe_machine() {
  local off
  off=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  od -An -t x2 -j $((off + 4)) -N 2 "$1" | tr -d ' '
}
loader="$wine64"
if [[ -n "$exe" && "$(pe_machine "$exe")" == "014c" ]]; then
  if [[ -z "$wine32" ]]; then
    echo "wine-run: skipped $(basename "$exe"): 32-bit Wine is not installed" >&2
    exit 77
  fi
  loader="$wine32"
fi

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER="$wine64"
export WINESERVER="$wineserver"

xvfb_pid=""
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  [[ -n "${xvfb_fdfile:-}" ]] && rm -f "$xvfb_fdfile"
}
program=""
trap cleanup EXIT
# A program started in the background ignores the terminal's interrupt: pass it on.
trap '[[ -n "$program" ]] && kill "$program" 2>/dev/null; exit 130' INT TERM

if [[ -z "${DISPLAY:-}" ]]; then
  # -displayfd lets Xvfb choose a free display itself: no race between parallel runs.
  xvfb_fdfile="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$xvfb_fdfile" </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s "$xvfb_fdfile" ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [[ -s "$xvfb_fdfile" ]] || { echo "wine-run: Xvfb did not start" >&2; exit 2; }
  export DISPLAY=":$(head -n1 "$xvfb_fdfile")"
fi

init_prefix() {
  local reg
  rm -rf "$prefix"
  "$wine64" wineboot -i </dev/null >/dev/null 2>&1 || { echo "wine-run: wineboot failed" >&2; return 1; }
  reg="$(mktemp --suffix=.reg)"
  # No crash dialog: a crashing program must fail, not wait for a click.
  # Courier New does not exist here; without this Wine substitutes a proportional face.
  # The theme's SimSun face does not exist either: map it to a CJK face that has Latin too.
  # Unmanaged windows (except on a real desktop): without a window manager Wine otherwise
  # waits 2 s for every top-level window it hides or destroys.
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' "\"Managed\"=\"$managed\"" '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"Courier New"="Liberation Mono"' \
    '"SimSun"="WenQuanYi Micro Hei"' '"宋体"="WenQuanYi Micro Hei"' '' \
    | iconv -f UTF-8 -t UTF-16 >"$reg"
  "$wine64" regedit /S "Z:${reg//\//\\}" </dev/null >/dev/null 2>&1
  local rc=$?
  rm -f "$reg"
  [[ $rc -eq 0 ]] || { echo "wine-run: registry setup failed" >&2; return 1; }
  # Let the server write the registry to disk before the prefix is declared ready.
  "$wineserver" -w
  touch "$prefix/.kestrel-ready-2"
}

if [[ ! -f "$prefix/.kestrel-ready-2" ]]; then
  exec 9>"$prefix.lock"
  flock 9
  if [[ ! -f "$prefix/.kestrel-ready-2" ]]; then
    echo "wine-run: creating Wine prefix $prefix" >&2
    init_prefix || exit 2
  fi
  flock -u 9
  exec 9>&-
fi

[[ $init_only -eq 1 ]] && exit 0

# One server for consecutive runs (starting one costs about a second); a no-op if running.
# With a private display it must not outlive that display's processes for long.
if [[ -z "$xvfb_pid" ]]; then
  "$wineserver" -p 30 </dev/null >/dev/null 2>&1 || true
fi

# The first Wine process of a server starts the system services (services.exe, rpcss...),
# which inherit its stdout/stderr and outlive it: CTest would wait on that pipe until the
# timeout. Start them here, detached from our output (quick when already running).
"$wine64" wineboot </dev/null >/dev/null 2>&1 || true

cd "$(dirname "$exe")" || exit 2
# The program writes to a file that is followed until the program ends: a helper process it
# starts on demand (the RPC service for COM, say) inherits only that file, so it cannot keep
# CTest's pipe open after the program is gone.
output="$(mktemp)"
"$loader" "$exe" "$@" >"$output" 2>&1 </dev/null &
program=$!
tail -n +1 -s 0.1 -f --pid="$program" "$output"
wait "$program"
rc=$?
rm -f "$output"
if [[ -n "$xvfb_pid" ]]; then
  # Our display goes away: let this prefix's helper processes end with it.
  timeout 20 "$wineserver" -w 2>/dev/null || true
fi
exit $rc
