#!/usr/bin/env bash
# Two copies of the program on the same file: the second saves first; the
# first copy's save then asks before it replaces the file. No keeps the
# other copy's file and the changes in memory; Yes saves. The day's backup
# copy keeps the file as it was before the day's first save.
source "$(dirname "$0")/harness.sh"
e2e_folder

e2e_speed_dial Default.kw
cp Default.kw original.kw
e2e_settings "$(e2e_windows_folder)" Default.kw
backup=$(date +%Y%m%d)_Default.kw

# A message box of either copy: a window of the title that is no main window.
e2e_find_box() {
  local id
  for _ in $(seq ${1:-50}); do
    for id in $(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null); do
      [ "$id" != "${FIRST_WINDOW:-}" ] && [ "$id" != "${SECOND_WINDOW:-}" ] && { E2E_BOX=$id; return 0; }
    done
    sleep 0.2
  done
  return 1
}

e2e_start
FIRST_WINDOW=$E2E_WINDOW
FIRST_PID=$E2E_PID
e2e_probe wait-rows 200 >/dev/null || fail "the first copy's rows did not appear"

# The second copy opens on top of the first, at the same place.
"$WINE64" "$E2E_EXE" </dev/null >/dev/null 2>&1 &
SECOND_PID=$!
e2e_at_exit "kill $SECOND_PID 2>/dev/null || true"
for _ in $(seq 100); do
  for id in $(xdotool search --onlyvisible --name "^$E2E_TITLE\$" 2>/dev/null); do
    [ "$id" != "$FIRST_WINDOW" ] && { SECOND_WINDOW=$id; break 2; }
  done
  sleep 0.2
done
[ -n "${SECOND_WINDOW:-}" ] || fail "the second copy showed no window"
sleep 1
E2E_WINDOW=$SECOND_WINDOW
E2E_PID=$SECOND_PID
e2e_click 100 80          # row 0 in the second copy
e2e_keys Delete ctrl+s
e2e_answer Return         # its saved message
e2e_close
e2e_speed_dial theirs.kw "0:100;;"
e2e_same Default.kw theirs.kw
e2e_same "$backup" original.kw
SECOND_WINDOW=

E2E_WINDOW=$FIRST_WINDOW
E2E_PID=$FIRST_PID
e2e_click 100 120         # a row further down in the first copy
mine_index=$(e2e_probe field 1)
mine=$((mine_index - 100))
((mine > 0 && mine < 20)) || fail "the click selected index '$mine_index'"
e2e_keys Delete ctrl+s
e2e_find_box || fail "no question before replacing the other copy's file"
case "$(e2e_probe box)" in
  *"wurde seit dem "*"ffnen von einem anderen Programm ge"*"ndert."*) ;;
  *) fail "the question reads '$(e2e_probe box)'" ;;
esac
e2e_answer n              # No
e2e_same Default.kw theirs.kw
e2e_probe_is 1 button 5   # the changes are still unsaved
e2e_probe_is "" cell "$mine" 1

e2e_keys ctrl+s
e2e_answer Return         # Yes, the default button
e2e_answer Return         # the saved message
e2e_close

e2e_speed_dial expected.kw "$mine:$mine_index;;"
e2e_same Default.kw expected.kw
e2e_same "$backup" original.kw
e2e_result
