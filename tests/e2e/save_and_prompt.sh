#!/usr/bin/env bash
# Saving as a user meets it: the saved message names the file and the
# backup copy; the window stays open; a second save the same day (here
# through Yes at the closing prompt) leaves the day's backup copy as it was
# before the first save and ends the program. A speed-dial file deleted after the start gives the backup
# failure message, and the closing prompt comes back after each failed Yes
# until No; the edits stay in memory and a save after the file is back
# writes them.
source "$(dirname "$0")/harness.sh"
e2e_folder
e2e_one_day

e2e_speed_dial Default.kw
cp Default.kw original.kw
e2e_settings "$(e2e_windows_folder)" Default.kw
folder=$(e2e_windows_folder)
backup=$(date +%Y%m%d)_Default.kw
e2e_speed_dial first.kw '0:100;0711 1000;Zentrale Ost'
e2e_speed_dial second.kw '0:100;0711 1000;Zentrale West'

# The open message box shows exactly this text (its line feeds included).
box_reads() {
  printf '%s\n' "$1" > expected-box.txt
  e2e_probe box > box.txt || fail "no message box to read"
  cmp -s box.txt expected-box.txt || fail "the box reads '$(cat box.txt)', expected '$1'"
  rm -f box.txt expected-box.txt
}

prompt=$'\xC4nderungen speichern'
saved="Kurzwahldatei ${folder}Default.kw neu angelegt"$'\n'"Sicherungskopie in : ${folder}${backup}"$'\n'
failed="Kann keine Sicherungskopie anlegen von ${folder}Default.kw"

say "Ctrl+S: the saved message names both files, the window stays open"
e2e_start
e2e_rename_first 'Zentrale Ost'
e2e_keys ctrl+s
e2e_find_box || fail "no message after saving"
box_reads "$saved"
e2e_answer Return
e2e_probe_is 0 button 5
e2e_probe_is 200 rows
e2e_same Default.kw first.kw
e2e_same "$backup" original.kw

say "closing after another edit: Yes saves, keeps the day's backup copy, and ends"
e2e_rename_first 'Zentrale West'
e2e_probe close >/dev/null || fail "the probe could not close the window"
e2e_find_box || fail "no closing prompt"
box_reads "$prompt"
e2e_answer Return
e2e_find_box || fail "no message after saving at the prompt"
box_reads "$saved"
e2e_answer Return
e2e_wait_end
e2e_same Default.kw second.kw
e2e_same "$backup" original.kw

say "the file deleted after the start: backup failure at Ctrl+S and at each Yes, until No"
cp original.kw Default.kw
rm "$backup"
e2e_start
e2e_rename_first 'Zentrale Ost'
rm Default.kw
e2e_keys ctrl+s
e2e_find_box || fail "no message after the failed save"
box_reads "$failed"
e2e_answer Return
e2e_probe_is 1 button 5
e2e_probe close >/dev/null || fail "the probe could not close the window"
for answer in Return Return n; do
  e2e_find_box || fail "no closing prompt before '$answer'"
  box_reads "$prompt"
  e2e_answer "$answer"
  [ "$answer" = n ] && break
  e2e_find_box || fail "no message after the failed save at the prompt"
  box_reads "$failed"
  e2e_answer Return
done
e2e_wait_end
[ ! -e Default.kw ] && [ ! -e "$backup" ] || fail "a failed save wrote a file"

say "nothing lost: with the file back, Yes at the prompt saves the edit"
cp original.kw Default.kw
e2e_start
e2e_rename_first 'Zentrale Ost'
rm Default.kw
e2e_keys ctrl+s
e2e_answer Return         # the backup failure message
printf 'von woanders\r\n' > Default.kw
e2e_probe close >/dev/null || fail "the probe could not close the window"
e2e_answer Return         # Yes at the closing prompt
e2e_find_box || fail "no question about the file another program wrote"
e2e_answer Return         # Yes, replace it
e2e_find_box || fail "no message after saving at the prompt"
box_reads "$saved"
e2e_answer Return
e2e_wait_end
e2e_same Default.kw first.kw
printf 'von woanders\r\n' > elsewhere.kw
e2e_same "$backup" elsewhere.kw
e2e_result
