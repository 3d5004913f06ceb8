#!/usr/bin/env bash
# A second speed-dial file opened with Ctrl+O and saved: the first file stays
# as it was and the settings file then names the second. A path on the
# command line opens that file for the run and leaves the settings alone.
source "$(dirname "$0")/harness.sh"
e2e_folder

mkdir filiale
e2e_speed_dial Default.kw
cp Default.kw first.expected
e2e_speed_dial filiale/Zweite.kw '0:100;0800 1;Filiale Nord' '1:101;0800 2;Filiale Sued'
second=$(e2e_windows_folder)'filiale\Zweite.kw'
e2e_settings "$(e2e_windows_folder)" Default.kw
cp Rufdepot.ini first.ini

say "Ctrl+O, the dialog takes the second file's path, Return"
e2e_start
e2e_keys ctrl+o
e2e_find_box || fail "no open-file dialog"
xdotool windowfocus "$E2E_BOX" 2>/dev/null || true
sleep 0.5
xdotool type --delay 20 "$second"
e2e_keys Return
sleep 1
e2e_probe_is "0800 1" cell 0 1
e2e_probe_is "Filiale Sued" cell 1 2

say "the second file's first row cleared and saved"
e2e_click 100 80
e2e_keys Delete ctrl+s
e2e_find_box || fail "no message after saving"
xdotool windowfocus "$E2E_BOX" 2>/dev/null || true
e2e_keys Return
e2e_close
e2e_same Default.kw first.expected
e2e_speed_dial second.expected '0:100;;' '1:101;0800 2;Filiale Sued'
e2e_same filiale/Zweite.kw second.expected
printf '%s\r\n%s\r\n' "$(e2e_windows_folder)filiale\\" Zweite.kw > second.ini
e2e_same Rufdepot.ini second.ini
ls filiale/*_Zweite.kw >/dev/null 2>&1 || fail "no backup copy of the second file"
ls ./*_Default.kw >/dev/null 2>&1 && fail "a backup copy of the first file appeared"

say "a path on the command line: that file for this run, the settings untouched"
cp first.ini Rufdepot.ini
e2e_start "$(e2e_windows_folder)filiale\\Zweite.kw"
e2e_find_box 5 && fail "a message box appeared"
e2e_probe_is "" cell 0 1
e2e_probe_is "Filiale Sued" cell 1 2
e2e_click 100 90           # the second row: rows are 14 pixels high
e2e_keys Delete ctrl+s
e2e_find_box || fail "no message after saving"
xdotool windowfocus "$E2E_BOX" 2>/dev/null || true
e2e_keys Return
e2e_close
e2e_same Rufdepot.ini first.ini
e2e_same Default.kw first.expected
e2e_speed_dial second.expected '0:100;;' '1:101;;'
e2e_same filiale/Zweite.kw second.expected

say "a path on the command line with no settings file: no first start, none written"
rm Rufdepot.ini
e2e_start filiale/Zweite.kw
e2e_find_box 5 && fail "a message box appeared"
e2e_probe_is "0711 1002" cell 2 1
e2e_close
[ -e Rufdepot.ini ] && fail "a settings file was written"
e2e_same filiale/Zweite.kw second.expected

say "a path on the command line that Windows-1252 cannot hold: said so, the program ends, nothing written"
cp first.ini Rufdepot.ini
"$WINE64" "$E2E_EXE" "$(e2e_windows_folder)Łódź.kw" </dev/null >/dev/null 2>&1 &
E2E_PID=$!
E2E_WINDOW=                # no main window in this run: any window of the title is the box
e2e_find_box || fail "no message"
got=$(e2e_probe box)
case "$got" in *"(Windows-1252)"*) ;; *) fail "the box reads '$got'" ;; esac
e2e_answer Return
e2e_wait_end
e2e_same Rufdepot.ini first.ini
e2e_same Default.kw first.expected
e2e_same filiale/Zweite.kw second.expected
e2e_result
