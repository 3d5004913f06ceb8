#!/usr/bin/env bash
# A start loads neither the shell's nor the common dialogs' library: they
# come when first wanted. A file named on the command line needs the shell's
# to read it, and then loads it.
source "$(dirname "$0")/harness.sh"
e2e_folder

e2e_speed_dial Default.kw
e2e_settings "$(e2e_windows_folder)" Default.kw

# Starts the program with Wine's record of loaded libraries going to FILE.
start_recording() {
  local file=$1; shift
  WINEDEBUG=+loaddll "$WINE64" "$E2E_EXE" "$@" </dev/null >/dev/null 2>"$file" &
  E2E_PID=$!
  e2e_find_window || fail "no main window appeared"
}
loaded() { grep -qi "Loaded L\"[^\"]*\\\\$2\"" "$1"; }

say "a start with the settings file: the window, without either library"
start_recording plain.log
e2e_probe_is 200 rows
e2e_close
grep -qi 'Loaded L"[^"]*\\comctl32.dll"' plain.log || fail "the record of loaded libraries is empty"
loaded plain.log shell32.dll && fail "the shell's library was loaded at the start"
loaded plain.log comdlg32.dll && fail "the common dialogs' library was loaded at the start"

say "a start with a file on the command line: the shell's library reads it"
start_recording named.log "$(e2e_windows_folder)Default.kw"
e2e_probe_is 200 rows
e2e_close
loaded named.log shell32.dll || fail "the shell's library was not loaded for the command line"
loaded named.log comdlg32.dll && fail "the common dialogs' library was loaded without a dialog"
e2e_result
