#!/usr/bin/env bash
# A move that steps over a pinned entry, then a rename taken over with
# Return: the window shows both, the pinned row stays as it was, and the
# save button comes on. Closing asks "Änderungen speichern"; No ends the
# program without touching the file and without a backup copy.
source "$(dirname "$0")/harness.sh"
e2e_folder

e2e_speed_dial Default.kw '1:1101;0711 555;Zentrale'
cp Default.kw original.kw
e2e_settings "$(e2e_windows_folder)" Default.kw

e2e_start
e2e_probe wait-rows 200 >/dev/null || fail "the rows did not appear"
e2e_probe_is 0 button 5
e2e_click 100 80          # the first row, just below the list's header
e2e_probe_is 100 field 1
e2e_keys Down             # steps over the pinned row 1 into row 2
e2e_probe_is 102 field 1
e2e_click 300 40          # the name field
e2e_keys End shift+Home
xdotool type --delay 30 'Zentrale Nord'
e2e_keys Return

say "row 0 holds what row 2 held, the pinned row is unchanged, row 2 the renamed entry"
e2e_probe_is "0711 1002" cell 0 1
e2e_probe_is "Teilnehmer 2" cell 0 2
e2e_probe_is 1101 cell 1 0
e2e_probe_is "0711 555" cell 1 1
e2e_probe_is Zentrale cell 1 2
e2e_probe_is 102 cell 2 0
e2e_probe_is "0711 1000" cell 2 1
e2e_probe_is "Zentrale Nord" cell 2 2
e2e_probe_is 1 button 5

say "closing asks to save; No ends without writing"
e2e_probe close >/dev/null || fail "the probe could not close the window"
e2e_find_box || fail "no closing prompt"
e2e_probe_is $'\xC4nderungen speichern' box
e2e_answer n
e2e_wait_end
e2e_same Default.kw original.kw
[ "$(LC_ALL=C ls)" = "$(printf 'Default.kw\nRufdepot.ini\noriginal.kw')" ] || fail "files appeared: $(ls | tr '\n' ' ')"
e2e_result
