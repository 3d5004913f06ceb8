#!/usr/bin/env bash
# A user's edit from click to save: click the first row, move its entry
# down, rename it in the name field, take it over with Return, save with
# Ctrl+S, confirm the message, close. The file holds exactly the edit and
# the day's backup copy holds the file as it was.
source "$(dirname "$0")/harness.sh"
e2e_folder
e2e_one_day

e2e_speed_dial Default.kw
cp Default.kw original.kw
e2e_settings "$(e2e_windows_folder)" Default.kw
e2e_speed_dial expected.kw '0:100;0711 1001;Teilnehmer 1' '1:101;0711 1000;Zentrale Ost'

e2e_start
e2e_click 100 80          # the first row, just below the list's header
e2e_keys Down
e2e_click 300 40          # the name field
e2e_keys End shift+Home
xdotool type --delay 30 'Zentrale Ost'
e2e_keys Return ctrl+s
e2e_find_box || fail "no message after saving"
xdotool windowfocus "$E2E_BOX" 2>/dev/null || true
e2e_keys Return
e2e_close

e2e_same Default.kw expected.kw
backup=$(date +%Y%m%d)_Default.kw
[ -f "$backup" ] || fail "no backup copy $backup"
[ -f "$backup" ] && e2e_same "$backup" original.kw
e2e_result
