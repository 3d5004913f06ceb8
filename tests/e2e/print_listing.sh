#!/usr/bin/env bash
# Ctrl+P writes the listing sorted by name into _Rufdepot.tmp in the working
# folder and opens it in an editor: the one registered under
# App Paths\wordpad.exe (as on Windows), else Wine's WordPad in its standard
# folder, else Notepad, with no error box in between. Recording stand-ins
# named wordpad.exe and notepad.exe in the working folder and beside the exe
# never run. Pictures of WordPad and Notepad go beside the exe.
source "$(dirname "$0")/harness.sh"
e2e_folder
e2e_one_day

APP_PATH='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\wordpad.exe'
WORDPAD='C:\Program Files\Windows NT\Accessories\wordpad.exe'
WORDPAD_FILE="$WINEPREFIX/drive_c/Program Files/Windows NT/Accessories/wordpad.exe"
EXE_FOLDER=$(dirname "$E2E_EXE")
SHOTS=$EXE_FOLDER

forget_wordpad() { "$WINE64" reg delete "$APP_PATH" /f </dev/null >/dev/null 2>&1 || true; }
register_wordpad() {
  "$WINE64" reg add "$APP_PATH" /ve /d "$1" /f </dev/null >/dev/null 2>&1 || fail "cannot register $1"
}
# As on a Windows without WordPad: its file moved aside in the prefix, and
# always put back (also after a run that was stopped half-way).
hide_wordpad() { mv "$WORDPAD_FILE" "$WORDPAD_FILE.hidden"; }
restore_wordpad() { [ -f "$WORDPAD_FILE.hidden" ] && mv -f "$WORDPAD_FILE.hidden" "$WORDPAD_FILE" || true; }
restore_wordpad

# Stand-ins that record any start, where a search by name looks first.
PLANTED=("$E2E_DIR/wordpad.exe" "$E2E_DIR/notepad.exe" "$EXE_FOLDER/wordpad.exe" "$EXE_FOLDER/notepad.exe")
for program in "${PLANTED[@]}"; do cp "$EXE_FOLDER/wordpad_standin.exe" "$program"; done
unplant() { rm -f "$EXE_FOLDER/wordpad.exe"* "$EXE_FOLDER/notepad.exe"*; }
planted_ran() {
  local program
  for program in "${PLANTED[@]}"; do [ -e "$program.record" ] && fail "the planted $program ran"; done
  return 0
}

# The editors showing this folder's listing file, by their command lines
# (the brackets keep grep from finding its own).
editor_pids() {
  grep -l "$(basename "$E2E_DIR")[\\]_Rufdepot[.]tmp" /proc/[0-9]*/cmdline 2>/dev/null | cut -d/ -f3 || true
}
close_editors() {
  local pids
  for _ in $(seq 25); do
    pids=$(editor_pids)
    [ -z "$pids" ] && return 0
    kill $pids 2>/dev/null || true
    sleep 0.2
  done
  fail "the editor did not end"
}
e2e_at_exit 'close_editors; forget_wordpad; restore_wordpad; unplant'

# Every number empty but a few: the listing holds just these, sorted.
python3 - <<'PY'
lines = [f"{100 + k};;" for k in range(200)]
for k, text in {
    0: "100;0711 1000;meier",
    1: "1101;0711 555;Zentrale",
    2: "102;0711 1002;Meier",
    3: "103;;Ohne Nummer",
    4: "104;   ;Nur Leerzeichen",
    5: "105;0711 1005;\xc4rztin \xdcbel",
    6: "106;01234567890123456789012345;Ein sehr langer Name, der ueber 36 Zeichen geht",
    7: "107;0711 1007;[Klammer]",
    8: "108;0711 1008;",
    9: "109;0711 1009;Bernd",
    10: "110;0711 1010;anna",
}.items():
    lines[k] = text
open("Default.kw", "wb").write("".join(l + "\r\n" for l in lines).encode("cp1252"))
PY
cp Default.kw original.kw
e2e_settings "$(e2e_windows_folder)" Default.kw

# name (36) index (6) number (20), CR LF
line() { LC_ALL=C printf '%-36s%-6s%-20s\r\n' "$1" "$2" "$3"; }
{
  printf 'Kurzwahlnummern der ETS2106 - Stand : %s\r\n' "$(date +%d.%m.%Y)"
  printf 'Datei : %sDefault.kw\r\n\r\n' "$(e2e_windows_folder)"
  line '' 108 '0711 1008'
  line '[Klammer]' 107 '0711 1007'
  line anna 110 '0711 1010'
  line Bernd 109 '0711 1009'
  line 'Ein sehr langer Name, der ueber 36 Z' 106 '01234567890123456789'
  line meier 100 '0711 1000'
  line Meier 102 '0711 1002'
  line 'Nur Leerzeichen' 104 '   '
  line Zentrale 101 '0711 555'
  line $'\xC4rztin \xDCbel' 105 '0711 1005'
} > expected.tmp

# The visible window of the editor's class whose title names the listing file.
editor_window() {
  local id
  for _ in $(seq 75); do
    for id in $(xdotool search --onlyvisible --class "^${1//./\\.}\$" 2>/dev/null); do
      [[ $(xdotool getwindowname "$id") == _Rufdepot.tmp* ]] && { echo "$id"; return 0; }
    done
    sleep 0.2
  done
  return 1
}

# Ctrl+P, then the editor's window: titled with the listing file, of the
# editor's own class; no other window shows up on the way.
print_listing() {
  local editor=$1 window others before
  e2e_start
  e2e_probe wait-rows 200 >/dev/null || fail "the rows did not appear"
  before=$(xdotool search --onlyvisible --name . || true)
  xdotool windowfocus "$E2E_WINDOW" 2>/dev/null || true
  e2e_keys ctrl+p
  window=$(editor_window "$editor") || { fail "no $editor window"; return 0; }
  e2e_probe no-box >/dev/null || fail "a message box of the program is open"
  others=$(xdotool search --onlyvisible --name . | grep -vxF -f <(printf '%s\n' "$window" $before) || true)
  [ -z "$others" ] || fail "other windows: $(for w in $others; do xdotool getwindowname "$w"; done)"
  e2e_same _Rufdepot.tmp expected.tmp
  sleep 1
  /usr/bin/import -window root "$SHOTS/listing-${editor%.exe}.png"
  close_editors
  e2e_probe close >/dev/null || fail "the probe could not close the window"
  e2e_wait_end
}

say "a recording WordPad registered under App Paths gets the command line of a start by name"
mkdir -p Programme
cp "$EXE_FOLDER/wordpad_standin.exe" Programme/wordpad.exe
register_wordpad "$(e2e_windows_folder)Programme\\wordpad.exe"
e2e_start
e2e_probe wait-rows 200 >/dev/null || fail "the rows did not appear"
xdotool windowfocus "$E2E_WINDOW" 2>/dev/null || true
e2e_keys ctrl+p
for _ in $(seq 100); do [ -e Programme/wordpad.exe.record ] && break; sleep 0.2; done
printf '"wordpad.exe" %s_Rufdepot.tmp\n%s\n' "$(e2e_windows_folder)" "$(e2e_windows_folder | sed 's/.$//')" > expected.record
e2e_same Programme/wordpad.exe.record expected.record
e2e_same _Rufdepot.tmp expected.tmp
e2e_probe no-box >/dev/null || fail "a message box of the program is open"
e2e_probe close >/dev/null || fail "the probe could not close the window"
e2e_wait_end
planted_ran

say "Wine's WordPad registered under App Paths: the listing opens in it"
[ -f "$WORDPAD_FILE" ] || fail "no WordPad in the prefix"
register_wordpad "$WORDPAD"
print_listing wordpad.exe
planted_ran

say "nothing registered, no WordPad installed: the system's Notepad, without an error box"
forget_wordpad
hide_wordpad
print_listing notepad.exe
restore_wordpad
planted_ran

e2e_same Default.kw original.kw
"$WINE64" reg query "$APP_PATH" </dev/null >/dev/null 2>&1 && fail "App Paths\\wordpad.exe is still registered"
e2e_result
