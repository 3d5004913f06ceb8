#!/usr/bin/env bash
# The shipped 32-bit exe under Wine (through qemu user-mode emulation where
# the machine runs no 32-bit code itself): it starts, loads a speed-dial
# file (one unplaceable line makes the load show its warning), shows its
# window and ends with exit code 0 when closed. One run only: under
# emulation each takes about a minute.
# Usage: win32-smoke.sh build/package/unpacked/Rufdepot.exe
source "$(dirname "$0")/../../scripts/lib.sh"
EXE=$(readlink -f "$1")
WINE32=/usr/lib/wine/wine
TITLE="Tarvo's ETS2106 Kurzwahlnummern verwalten"

ensure_i386_emulation
ensure_display

# A 64-bit prefix with its 32-bit side, created once (about two minutes
# under emulation):
# Wine's own services then run natively and only the exe itself runs under
# emulation. A pure 32-bit prefix emulates every service and takes far longer.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES,winemenubuilder.exe="
export WINEPREFIX=${RUFDEPOT_WINE32PREFIX:-$REPO/build/wow64-prefix}
if [ ! -f "$WINEPREFIX/.rufdepot-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  flock -o "$WINEPREFIX.lock" bash -c '
    [ -f "$WINEPREFIX/.rufdepot-ready" ] && exit 0
    echo "== creating the Wine prefix with a 32-bit side $WINEPREFIX" >&2
    rm -rf "$WINEPREFIX"  # a creation that was cut short cannot be resumed
    '"$WINE64"' wineboot -i </dev/null >/dev/null 2>&1
    '"$WINE64"' reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f </dev/null >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.rufdepot-ready"'
fi

DIR=$(mktemp -d "$REPO/build/smoke.XXXXXX")
PID=
cleanup() {
  [ -n "$PID" ] && kill "$PID" 2>/dev/null
  WINEPREFIX=$WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$DIR"
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  true
}
trap cleanup EXIT
cd "$DIR"
for k in $(seq 0 199); do
  if [ "$k" = 3 ]; then printf 'Kopfzeile\r\n'; else printf '%d;0711 %d;Teilnehmer %d\r\n' $((100 + k)) $((1000 + k)) "$k"; fi
done > Default.kw
cp Default.kw expected.kw
printf 'Z:%s\\\r\nDefault.kw\r\n' "$(pwd | tr / '\\')" > Rufdepot.ini

if i386_emulated; then
  say "starting the 32-bit exe under emulation (a minute or more: the session starts first)"
else
  say "starting the 32-bit exe"
fi
"$WINE32" "$EXE" </dev/null >/dev/null 2>&1 &
PID=$!
# The main window (its client area alone is 402 x 474) and the load's warning.
main= box=
for _ in $(seq 600); do
  for id in $(xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null || true); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if ((WIDTH >= 402 && HEIGHT >= 474)); then main=$id; else box=$id; fi
  done
  [ -n "$main" ] && [ -n "$box" ] && break
  kill -0 "$PID" 2>/dev/null || { say "the program ended early"; exit 1; }
  sleep 1
done
[ -n "$main" ] || { say "no main window within ten minutes"; exit 1; }
[ -n "$box" ] || { say "no warning about the unplaceable line: was the file loaded?"; exit 1; }
say "window and load warning shown; answering and closing"
xdotool windowfocus "$box" 2>/dev/null || true
xdotool key Return
sleep 5
xdotool windowfocus "$main" 2>/dev/null || true
xdotool key alt+F4
for _ in $(seq 120); do kill -0 "$PID" 2>/dev/null || break; sleep 1; done
if kill -0 "$PID" 2>/dev/null; then say "the program did not end after the close request"; exit 1; fi
rc=0; wait "$PID" || rc=$?; PID=
[ "$rc" = 0 ] || { say "exit code $rc"; exit 1; }
cmp -s Default.kw expected.kw || { say "the speed-dial file changed"; exit 1; }
say "the 32-bit exe started, loaded, showed its window and ended with exit code 0"
