#!/usr/bin/env bash
# Safe editing as a user works: click a row, End, Entf, Home; click a row,
# type a new number, Ctrl+S without Return; click another row, Entf,
# Ctrl+S; close. Entf acts on the highlighted row, the typing is saved, the
# day's backup copy keeps the file from before the first save, and closing
# asks nothing.
source "$(dirname "$0")/harness.sh"
e2e_folder

e2e_speed_dial Default.kw
cp Default.kw original.kw
e2e_settings "$(e2e_windows_folder)" Default.kw

e2e_start
e2e_probe wait-rows 200 >/dev/null || fail "the rows did not appear"

e2e_click 100 80          # the first row, just below the list's header
e2e_probe_is 100 field 1
e2e_keys End              # the last row, far off screen
e2e_probe_is 299 field 1
e2e_probe_is "0711 1199" field 3
e2e_keys Delete
e2e_probe_is "" cell 199 1
e2e_probe_is "0711 1000" cell 0 1
e2e_keys Home
e2e_probe_is 100 field 1
e2e_probe_is "Teilnehmer 0" field 5

# The row a click further down hits depends on the row height: ask the window.
e2e_click 100 120
typed_index=$(e2e_probe field 1)
typed=$((typed_index - 100))
((typed > 0 && typed < 20)) || fail "the second click selected index '$typed_index'"
e2e_click 120 40          # the number field
e2e_keys End shift+Home
xdotool type --delay 30 '0711 4242'
e2e_keys ctrl+s
e2e_answer Return         # the saved message
[ -f "$(date +%Y%m%d)_Default.kw" ] || fail "no backup copy after the first save"

e2e_click 100 160
cleared_index=$(e2e_probe field 1)
cleared=$((cleared_index - 100))
((cleared > typed && cleared < 30)) || fail "the third click selected index '$cleared_index'"
e2e_keys Delete ctrl+s
e2e_answer Return
e2e_probe_is 0 button 5   # nothing left unsaved

e2e_probe no-box || fail "a message box is still open"
e2e_close                 # ends without a question, or fails here

e2e_speed_dial expected.kw "199:299;;" "$typed:$typed_index;0711 4242;Teilnehmer $typed" \
  "$cleared:$cleared_index;;"
e2e_same Default.kw expected.kw
backup=$(date +%Y%m%d)_Default.kw
[ -f "$backup" ] && e2e_same "$backup" original.kw
e2e_result
