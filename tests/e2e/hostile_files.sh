#!/usr/bin/env bash
# Hostile speed-dial files: 64 MiB of long lines, NUL bytes only, 100,000
# short lines, CR-only line ends, random bytes. Each time the window comes
# up, the list holds at most 200 rows, the warning about lines that were not
# taken over names the right lines exactly when some were dropped, the one
# about text after a third ";" names the lines that carry such text, and
# closing without changes leaves every file as it was, with no backup copy.
source "$(dirname "$0")/harness.sh"
e2e_folder
mkdir expected

# The probe's answers without the CR of its console output; a program that
# hangs cannot hang the probe forever.
probe() {
  timeout 90 "$WINE64" "$(dirname "$E2E_EXE")/window_probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'
}

# Writes the file of one kind; the random bytes come from a fixed seed.
hostile_file() {
  python3 - "$@" <<'PY'
import random, sys
kind, name = sys.argv[1], sys.argv[2]
out = open(name, 'wb')
if kind == 'long':
    # 64 MiB of CR LF lines of about 64 KiB. Every fifth line from the first
    # fills the next slot (its tail after a fourth ';' is not part of the
    # name); the others cannot be placed. The first line's CR is the last
    # byte of the reader's first 64 KiB block, its LF the first of the next.
    # Slot 199 gets a name of 70,000 characters; the last line has no end.
    total, written, slot, i = 64 << 20, 0, 0, 0
    while written < total:
        i += 1
        size = 65535 if i == 1 else 60000 + (i * 7919) % 11000
        if i % 5 == 1 and slot < 200:
            head = f"{100 + slot};0711 {1000 + slot};Lang {slot}"
            head += (' ' + 'z' * 70000) if slot == 199 else ';'
            slot += 1
        else:
            head = f"Zeile {i} ohne Position "
        line = (head + 'x' * size)[:max(size, len(head))].encode('cp1252')
        end = b'\r\n'
        if written + len(line) + len(end) >= total:
            line, end = line[:total - written], b''
        out.write(line + end)
        written += len(line) + len(end)
elif kind == 'nul':
    out.write(bytes(4 << 20))
elif kind == 'short':
    # Each slot is filled 500 times over; only its last line stays.
    out.write(''.join(f"{100 + (i - 1) % 200};0{i};N{i}\n" for i in range(1, 100001)).encode())
elif kind == 'cr':
    out.write(''.join(f"{100 + k};0711 {1000 + k};Teilnehmer {k}\r" for k in range(200)).encode())
elif kind == 'binary':
    out.write(random.Random(2106).randbytes(1 << 20))
PY
}

# What a load of the file gives, worked out from the line rules alone: a line
# ends at CR LF, CR, LF or NUL; its index is the text before the first ';'
# read as a 32-bit number (leading blanks and a sign allowed, wrapping), 1100
# and up count as 100 and up; 100 to 299 is slot 0 to 199. A later line for a
# slot drops the earlier one; empty lines and ";;" are dropped silently; a
# line that stays and has text after a third ';' loses that text on a save.
# Prints the number of rows, then the line of numbers of each warning (an
# empty line where that warning does not come).
predicted_load() {
  python3 - "$1" <<'PY'
import re, sys
data = open(sys.argv[1], 'rb').read()
lines = re.split(rb'\r\n|\r|\n|\0', data)
if data and data[-1:] in (b'\r', b'\n', b'\0'):
    lines.pop()
if not data:
    lines = []

def number(text):
    i = 0
    while i < len(text) and text[i] in b' \t':
        i += 1
    negative = i < len(text) and text[i:i + 1] == b'-'
    if i < len(text) and text[i:i + 1] in (b'-', b'+'):
        i += 1
    value = 0
    while i < len(text) and 48 <= text[i] <= 57:
        value = (value * 10 + text[i] - 48) % 2**32
        i += 1
    return (-value) % 2**32 if negative else value

def signed(value):
    return value - 2**32 if value >= 2**31 else value

line_of_slot, dropped = {}, []
for n, line in enumerate(lines, 1):
    value = number(line.split(b';', 1)[0])
    if signed(value) > 1000:
        value = (value - 1000) % 2**32
    slot = signed((value - 100) % 2**32)
    if 0 <= slot < 200:
        if slot in line_of_slot:
            dropped.append(line_of_slot[slot])
        line_of_slot[slot] = n
    elif line not in (b'', b';;'):
        dropped.append(n)
def numbers(found):
    found.sort()
    if not found:
        return b''
    text = 'Zeile ' + ', '.join(str(n) for n in found[:20]) + (', \x85' if len(found) > 20 else '')
    return text.encode('latin-1')

cut = [n for n in line_of_slot.values() if len(lines[n - 1].split(b';', 3)) == 4 and lines[n - 1].split(b';', 3)[3]]
# Every line goes through the byte stream: mixed with print() they could
# reach a pipe in the wrong order.
out = f"{max(line_of_slot) + 1 if line_of_slot else 0}\n".encode()
sys.stdout.buffer.write(out + numbers(dropped) + b'\n' + numbers(cut) + b'\n')
PY
}

# hostile_run FILE ROWS UNTAKEN CUT [ROW:COLUMN:TEXT...]
# Starts the program on FILE; UNTAKEN and CUT are the expected lines of
# numbers of the two warnings (lines not taken over, lines with text after a
# third ';'), each empty when that warning may not appear. Sets LOAD_SECONDS.
hostile_run() {
  local file=$1 rows=$2 untaken=$3 cut=$4; shift 4
  e2e_settings "$(e2e_windows_folder)" "$file"
  cp "$file" Rufdepot.ini expected/
  local files; files=$(ls)

  local start; start=$(date +%s.%N)
  e2e_start || { stop_program; return 0; }
  # The list answers only once the load is over: the count is the loaded one.
  local got; got=$(probe wait-rows "$rows" rows) || { fail "$file: rows did not come"; stop_program; return 0; }
  LOAD_SECONDS=$(awk "BEGIN { printf \"%.2f\", $(date +%s.%N) - $start }")
  say "$file: $got rows ${LOAD_SECONDS} s after the launch"
  [ "$got" = "$rows" ] || fail "$file: $got rows instead of $rows"
  ((got <= 200)) || fail "$file: more than 200 rows"

  local warning
  for warning in "$untaken" "$cut"; do
    [ -n "$warning" ] || continue
    if e2e_find_box; then
      probe box > box.txt || true
      local head="Die Kurzwahldatei $(e2e_windows_folder)$file "
      head -c "${#head}" box.txt | cmp -s - <(printf '%s' "$head") ||
        fail "$file: the message begins '$(head -c 120 box.txt)'"
      sed -n 2p box.txt | cmp -s - <(printf '%s\n' "$warning") ||
        fail "$file: the warning names '$(sed -n 2p box.txt)', expected '$warning'"
      rm box.txt
      xdotool windowfocus "$E2E_BOX" 2>/dev/null || true
      e2e_keys Return
      for _ in $(seq 50); do xdotool getwindowname "$E2E_BOX" >/dev/null 2>&1 || break; sleep 0.1; done
    else
      fail "$file: no warning naming '$warning'"
    fi
  done
  if e2e_find_box 5; then
    fail "$file: a message is open: $(probe box | head -c 200)"
    xdotool windowfocus "$E2E_BOX" 2>/dev/null || true
    e2e_keys Return
  fi

  local cell row column text
  for cell in "$@"; do
    IFS=: read -r row column text <<<"$cell"
    got=$(probe cell "$row" "$column") || true
    [ "$got" = "$text" ] || fail "$file: row $row column $column shows '${got:0:80}', expected '$text'"
  done
  got=$(probe rows) || true
  [ "$got" = "$rows" ] || fail "$file: $got rows after the warning"

  e2e_close
  e2e_same "$file" "expected/$file"
  e2e_same Rufdepot.ini expected/Rufdepot.ini
  [ "$(ls)" = "$files" ] || fail "$file: files appeared: $(ls | tr '\n' ' ')"
  rm "expected/$file"
}

numbers() { local n out=; for n in "$@"; do out+="${out:+, }$n"; done; printf 'Zeile %s' "$out"; }
ELLIPSIS=$'\x85'

say "CR-only line ends, 200 lines of the usual form: 200 rows, no warning"
hostile_file cr cr_only.kw
hostile_run cr_only.kw 200 "" "" "0:0:100" "57:1:0711 1057" "199:2:Teilnehmer 199"

say "NUL bytes only: empty lines, nothing to warn about, no rows"
hostile_file nul nul_bytes.kw
hostile_run nul_bytes.kw 0 "" ""

say "100,000 short lines, each slot filled 500 times over: the last one stays"
hostile_file short short_lines.kw
hostile_run short_lines.kw 200 "$(numbers $(seq 1 20)), $ELLIPSIS" "" \
  "0:0:100" "0:2:N99801" "5:1:099806" "199:2:N100000"

say "random bytes: rows and warning as the line rules give them"
hostile_file binary random.kw
{ read -r rows; read -r untaken || true; read -r cut || true; } < <(predicted_load random.kw)
hostile_run random.kw "$rows" "$untaken" "$cut"

say "64 MiB of long lines: every fifth one placed, the others named; the placed ones lose their tail"
hostile_file long long_lines.kw
[ "$(stat -c %s long_lines.kw)" = $((64 << 20)) ] || fail "long_lines.kw is not 64 MiB"
hostile_run long_lines.kw 200 "$(numbers 2 3 4 5 7 8 9 10 12 13 14 15 17 18 19 20 22 23 24 25), $ELLIPSIS" \
  "$(numbers $(seq 1 5 96)), $ELLIPSIS" \
  "0:0:100" "0:2:Lang 0" "1:1:0711 1001" "198:2:Lang 198" "199:0:299"
say "64 MiB file: rows shown ${LOAD_SECONDS} s after the launch"
e2e_result
