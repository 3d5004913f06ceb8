#!/usr/bin/env bash
# Start, load, show and close without changes: nothing is written, the old
# listing file is gone; a file with lines that cannot be placed warns once.
source "$(dirname "$0")/harness.sh"
e2e_folder

e2e_speed_dial Default.kw '5:1105;0711 555;Zentrale'
cp Default.kw expected.kw
e2e_settings "$(e2e_windows_folder)" Default.kw
cp Rufdepot.ini expected.ini
echo "alte Liste" > _Rufdepot.tmp

say "a file of the expected form: window, no message, close"
e2e_start
[ -e _Rufdepot.tmp ] && fail "the old listing file is still there"
e2e_find_box 5 && fail "a message box appeared"
e2e_close
e2e_same Default.kw expected.kw
e2e_same Rufdepot.ini expected.ini
[ "$(ls)" = "$(printf 'Default.kw\nRufdepot.ini\nexpected.ini\nexpected.kw')" ] || fail "files appeared: $(ls | tr '\n' ' ')"

say "a line that cannot be placed: one warning, then the window as usual"
e2e_speed_dial Default.kw 3:Kopfzeile
cp Default.kw expected.kw
e2e_start
e2e_find_box || fail "no warning"
xdotool windowfocus "$E2E_BOX" 2>/dev/null || true
e2e_keys Return
sleep 0.5
e2e_find_box 3 && fail "the warning is still open"
e2e_close
e2e_same Default.kw expected.kw
e2e_result
