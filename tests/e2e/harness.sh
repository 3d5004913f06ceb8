# End-to-end runs of the real program, driven from outside like a user:
# source this from a scenario script that gets the exe's path as $1.
#   e2e_folder                   a fresh working folder (cd into it)
#   e2e_speed_dial FILE [k:line]  writes a 200-line speed-dial file, some lines replaced
#   e2e_settings FOLDER NAME      writes Rufdepot.ini naming the speed-dial file
#   e2e_start [ARG]              starts the program (with ARG), waits for its main window
#   e2e_point X Y                moves the pointer to a point of the main window's client area
#   e2e_click X Y                clicks at a point of the main window's client area
#   e2e_keys KEY...              presses keys (xdotool names: Down, ctrl+s, Return)
#   e2e_rename_first NAME        types NAME over the first row's name and takes it over with Return
#   e2e_close                    asks the window to close (Alt+F4), then e2e_wait_end
#   e2e_same FILE EXPECTED       the file holds exactly these bytes
#   e2e_one_day                  waits out a day's last minutes (dated files and texts)
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

E2E_EXE=$(readlink -f "$1")
E2E_TITLE="Tarvo's ETS2106 Kurzwahlnummern verwalten"
E2E_FAILED=0

ensure_display
wine64_prefix
warm_wine

fail() { say "FAILED: $*"; E2E_FAILED=1; }
e2e_result() { ((E2E_FAILED == 0)) && say "passed" || exit 1; }

e2e_folder() {
  E2E_DIR=$(mktemp -d "$REPO/build/e2e.XXXXXX")
  trap 'stop_program; rm -rf "$E2E_DIR"; [ -n "${XVFB_PID:-}" ] && kill $XVFB_PID 2>/dev/null || true' EXIT
  cd "$E2E_DIR"
}

# The folder as the program sees it, with its trailing backslash.
e2e_windows_folder() { printf 'Z:%s\\' "$(pwd | tr / '\\')"; }

e2e_speed_dial() {
  local file=$1; shift
  python3 - "$file" "$@" <<'PY'
import sys
lines = [f"{100 + k};0711 {1000 + k};Teilnehmer {k}" for k in range(200)]
for change in sys.argv[2:]:
    k, text = change.split(':', 1)
    lines[int(k)] = text
open(sys.argv[1], 'wb').write(''.join(l + '\r\n' for l in lines).encode('cp1252'))
PY
}

e2e_settings() { printf '%s\r\n%s\r\n' "$1" "$2" > Rufdepot.ini; }

# Main window: the one of the title that can hold its 402 x 474 client area.
e2e_find_window() {
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$id")"
      if ((WIDTH >= 402 && HEIGHT >= 474)); then E2E_WINDOW=$id; return 0; fi
    done
    sleep 0.2
  done
  return 1
}

# Any other window of the title: a message box of the program.
e2e_find_box() {
  local id
  for _ in $(seq ${1:-50}); do
    for id in $(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null); do
      [ "$id" != "${E2E_WINDOW:-}" ] && { E2E_BOX=$id; return 0; }
    done
    sleep 0.2
  done
  return 1
}

e2e_start() {
  "$WINE64" "$E2E_EXE" "$@" </dev/null >/dev/null 2>&1 &
  E2E_PID=$!
  e2e_find_window || { fail "no main window appeared"; return 1; }
}

# Client point -> screen point: Wine draws the frame itself, equal on the
# left, right and bottom, the caption on top.
e2e_point() {
  eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
  local border=$(( (WIDTH - 402) / 2 ))
  local top=$(( HEIGHT - 474 - border ))
  xdotool mousemove --sync $((X + border + $1)) $((Y + top + $2))
}

e2e_click() {
  e2e_point "$1" "$2"
  xdotool click 1
  sleep 0.3
}

e2e_keys() {
  local key
  for key in "$@"; do xdotool key --delay 50 "$key"; sleep 0.2; done
}

e2e_rename_first() {
  e2e_click 100 80
  e2e_click 300 40
  e2e_keys End shift+Home
  xdotool type --delay 30 "$1"
  e2e_keys Return
}

e2e_close() {
  xdotool windowfocus "$E2E_WINDOW" 2>/dev/null || true
  xdotool key alt+F4
  e2e_wait_end
}

e2e_wait_end() {
  local rc=0
  for _ in $(seq 100); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$E2E_PID" 2>/dev/null; then fail "the program did not end"; stop_program; return 1; fi
  wait "$E2E_PID" || rc=$?
  E2E_PID=
  ((rc == 0)) || fail "exit code $rc"
}

stop_program() {
  if [ -n "${E2E_PID:-}" ] && kill -0 "$E2E_PID" 2>/dev/null; then kill "$E2E_PID"; fi
  E2E_PID=
}

e2e_same() {
  cmp -s "$1" "$2" || fail "$1 differs from what was expected"
}

# Reads the running program through window_probe (built beside the exe):
#   e2e_probe COMMAND...          prints the probe's output, without CRs
#   e2e_probe_is TEXT COMMAND...  the probe answers exactly TEXT
e2e_probe() {
  "$WINE64" "$(dirname "$E2E_EXE")/window_probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'
}
e2e_probe_is() {
  local expected=$1 got; shift
  got=$(e2e_probe "$@") || { fail "probe $* did not answer"; return 0; }
  [ "$got" = "$expected" ] || fail "probe $*: '$got', expected '$expected'"
}

# Answers the program's open message box with a key (Return: the default
# button; n: No, in English and German).
e2e_answer() {
  e2e_find_box || { fail "no message box to answer"; return 0; }
  xdotool windowfocus "$E2E_BOX" 2>/dev/null || true
  e2e_keys "$1"
  for _ in $(seq 50); do xdotool getwindowname "$E2E_BOX" >/dev/null 2>&1 || break; sleep 0.1; done
  E2E_BOX=
}

# Runs a command when the scenario ends, before the clean-up set so far.
e2e_at_exit() {
  local previous
  previous=$(trap -p EXIT)
  if [ -n "$previous" ]; then
    previous=${previous#trap -- }
    eval "previous=${previous% EXIT}"
  fi
  trap "$1; $previous" EXIT
}

# A scenario that predicts today's date in a backup name or a listing must
# not run across midnight: in a day's last two minutes it waits for the next.
e2e_one_day() {
  local left=$(( $(date -d 'tomorrow 00:00' +%s) - $(date +%s) ))
  if ((left < 120)); then
    say "waiting ${left} s for the new day: the scenario predicts today's date"
    sleep $((left + 1))
  fi
}
