#!/usr/bin/env bash
# The buttons' tips are made when the pointer first comes onto the toolbar:
# pointed at a button that is unavailable at start-up, its tip shows, and so
# does the next button's.
source "$(dirname "$0")/harness.sh"
e2e_folder

e2e_speed_dial Default.kw
e2e_settings "$(e2e_windows_folder)" Default.kw
e2e_start
e2e_probe_is 0 button 5  # nothing to save before a change

# Shows the tip of button ID under the pointer, and checks its text.
tip_of() {
  local id=$1 text=$2 x y got=
  read -r x y < <(e2e_probe button-centre "$id") || { fail "no place for button $id"; return; }
  e2e_point "$x" "$y"
  xdotool mousemove_relative --sync 1 0
  for _ in $(seq 30); do
    got=$(e2e_probe tip) && [ "$got" = "$text" ] && return
    sleep 0.1
  done
  fail "over button $id the tip reads '$got', expected '$text'"
}

say "the pointer onto the unavailable save button, then onto the first button"
tip_of 5 "Speichern und Beenden (Strg s)"
tip_of 0 "Eintrag nach oben schieben (Pfeil oben)"
xdotool mousemove 0 0
e2e_close
e2e_result
