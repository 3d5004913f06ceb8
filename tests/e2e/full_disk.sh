#!/usr/bin/env bash
# A save on a full disk, as a user meets it: the speed-dial folder lies on a
# 16 KiB file system that holds the file and its backup copy of the day, but
# not the 200 lines rewritten with CR LF. Ctrl+S fails with the write error,
# closing asks again after each failed Yes, and after No the speed-dial file
# and its backup copy hold exactly what they held before. With room again,
# the same edit is saved in full.
#
# The small file system is mounted in a private mount namespace that only
# this run sees; Wine's server opens the files itself, so it is started
# inside that namespace too. Where the machine refuses the namespace or the
# mount, the run is skipped (exit code 77).
if [ -z "${RUFDEPOT_PRIVATE_MOUNTS:-}" ]; then
  source "$(dirname "$0")/../../scripts/lib.sh"
  if ! unshare -m --propagation private sh -c 'd=$(mktemp -d) && mount -t tmpfs -o size=16k tmpfs "$d" && umount "$d"; rc=$?; rmdir "$d"; exit $rc' 2>/dev/null; then
    say "skipped: no private mount namespace with a tmpfs on this machine"
    exit 77
  fi
  wine64_prefix
  # A running server of this prefix would open the files outside the namespace.
  stop_wine; "$WINESERVER" -w 2>/dev/null || true
  RUFDEPOT_PRIVATE_MOUNTS=1 exec unshare -m --propagation private bash "$0" "$@"
fi

source "$(dirname "$0")/harness.sh"
e2e_folder
# Wine's server must not outlive the namespace: later runs would meet it.
e2e_at_exit 'umount disk 2>/dev/null; "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null'
mkdir disk
mount -t tmpfs -o size=16k tmpfs disk || { say "skipped: tmpfs refused"; exit 77; }

# About 8,100 bytes with LF line ends: two 4 KiB pages; with CR LF, three.
python3 - <<'PY'
lines = [f"{100 + k};0711 {1000 + k};Teilnehmer {k:03d} Stadtmitte" for k in range(200)]
size = sum(len(l) + 1 for l in lines)
lines[199] += "." * (8100 - size)
open("original.kw", "wb").write("".join(l + "\n" for l in lines).encode("cp1252"))
lines[0] = "100;0711 1000;Zentrale Ost"
open("saved.kw", "wb").write("".join(l + "\r\n" for l in lines).encode("cp1252"))
PY
[ "$(stat -c %s original.kw)" = 8100 ] || fail "the speed-dial file is not 8,100 bytes"
cp original.kw disk/Default.kw
backup=$(date +%Y%m%d)_Default.kw
folder="$(e2e_windows_folder)disk\\"
e2e_settings "$folder" Default.kw

box_reads() {
  local got
  got=$(e2e_probe box) || { fail "no message box to read"; return 0; }
  for expected in "$@"; do [ "$got" = "$expected" ] && return 0; done
  fail "the box reads '$got', expected '$1'"
}
# Only the speed-dial file and its backup copy: no half file, no fresh file left.
only_the_two_files() {
  local names
  names=$(ls -A disk | tr '\n' ' ')
  [ "$names" = "$backup Default.kw " ] || fail "the folder holds '$names'"
  e2e_same disk/Default.kw original.kw
  e2e_same "disk/$backup" original.kw
}

prompt=$'\xC4nderungen speichern'
write_failed="Kann Kurzwahldatei ${folder}Default.kw nicht schreiben"
backup_failed="Kann keine Sicherungskopie anlegen von ${folder}Default.kw"

say "Ctrl+S on the full disk: the write error, both files as they were"
e2e_start
e2e_rename_first 'Zentrale Ost'
e2e_keys ctrl+s
e2e_find_box || fail "no message after the failed save"
box_reads "$write_failed"
e2e_answer Return
e2e_probe_is 1 button 5
only_the_two_files

say "closing: Yes fails again and the prompt comes back; No ends"
e2e_probe close >/dev/null || fail "the probe could not close the window"
e2e_find_box || fail "no closing prompt"
box_reads "$prompt"
e2e_answer Return
e2e_find_box || fail "no message after the failed save at the prompt"
# Whichever step meets the full disk first: the backup copy or the rewrite.
box_reads "$backup_failed" "$write_failed"
e2e_answer Return
e2e_find_box || fail "no second closing prompt"
box_reads "$prompt"
e2e_answer n
e2e_wait_end
only_the_two_files

say "with room again the same edit is saved in full"
mount -o remount,size=64k disk || fail "the file system could not grow"
e2e_start
e2e_rename_first 'Zentrale Ost'
e2e_keys ctrl+s
e2e_find_box || fail "no message after saving"
box_reads "Kurzwahldatei ${folder}Default.kw neu angelegt"$'\n'"Sicherungskopie in : ${folder}${backup}"
e2e_answer Return
e2e_close
e2e_same disk/Default.kw saved.kw
e2e_same "disk/$backup" original.kw
[ "$(ls -A disk | wc -l)" = 2 ] || fail "the folder holds $(ls -A disk | tr '\n' ' ')"
e2e_result
