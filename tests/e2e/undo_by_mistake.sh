#!/usr/bin/env bash
# Delete by mistake, Ctrl+Z, close: the row is back, no question at closing,
# nothing written.
source "$(dirname "$0")/harness.sh"
e2e_folder

e2e_speed_dial Default.kw
cp Default.kw expected.kw
e2e_settings "$(e2e_windows_folder)" Default.kw
cp Rufdepot.ini expected.ini

e2e_start
e2e_click 100 80          # the first row
e2e_keys Delete
e2e_probe_is "" cell 0 1
e2e_keys ctrl+z
e2e_probe_is "0711 1000" cell 0 1
e2e_probe_is "Teilnehmer 0" field 5
e2e_close
e2e_find_box 5 && fail "a message box appeared"
e2e_same Default.kw expected.kw
e2e_same Rufdepot.ini expected.ini
[ "$(ls)" = "$(printf 'Default.kw\nRufdepot.ini\nexpected.ini\nexpected.kw')" ] || fail "files appeared: $(ls | tr '\n' ' ')"
e2e_result
