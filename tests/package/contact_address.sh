#!/usr/bin/env bash
# The package is built only for a contact address that reaches someone.
# Refused addresses: the user sees why, nothing is built, and a package made
# earlier stays byte for byte, also when the user tries again.
set -uo pipefail
SCRIPTS=$(cd "$(dirname "$0")/../../scripts" && pwd)
FAILED=0
fail() { echo "FAILED: $*" >&2; FAILED=1; }

# A copy of the scripts in a folder of their own, with an earlier package in dist/.
DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
mkdir -p "$DIR/scripts" "$DIR/dist"
cp "$SCRIPTS/package" "$SCRIPTS/check-contact" "$SCRIPTS/lib.sh" "$DIR/scripts/"
printf 'PK earlier package \x00\xff' > "$DIR/dist/Rufdepot-1.0.0-win32.zip"
cp "$DIR/dist/Rufdepot-1.0.0-win32.zip" "$DIR/earlier.zip"

# address | what the message must say
REFUSED=(
  "|empty"
  "https://rufdepot.invalid/issues|'.invalid' is a reserved name"
  "team@rufdepot.EXAMPLE|'.example' is a reserved name"
  "http://bugs.test:8080/x|'.test' is a reserved name"
  "http://localhost/issues|'.localhost' is a reserved name"
  "https://app.localhost./|'.localhost' is a reserved name"
  "mailto:info@example.org|'example.org' is reserved"
  "https://www.example.com/x|'example.com' is reserved"
  "Probleme an info@firma.de|only printable ASCII without blanks"
  "x\"@firma.de|only printable ASCII without blanks"
  'x\y@firma.de|only printable ASCII without blanks'
  "https:///issues|no host name"
)
for case in "${REFUSED[@]}"; do
  address=${case%%|*} expected=${case#*|}
  out=$("$DIR/scripts/package" --contact "$address" 2>&1); rc=$?
  [ "$rc" != 0 ] || fail "'$address' was accepted"
  grep -qF "contact address '$address': $expected" <<<"$out" || fail "'$address': the message was: $out"
  grep -qF "nothing was built" <<<"$out" || fail "'$address': no word that nothing was built: $out"
  cmp -s "$DIR/dist/Rufdepot-1.0.0-win32.zip" "$DIR/earlier.zip" || fail "'$address': the earlier package changed"
  [ "$(ls "$DIR")" = "$(printf 'dist\nearlier.zip\nscripts')" ] || fail "'$address': files appeared: $(ls "$DIR" | tr '\n' ' ')"
  [ "$(ls "$DIR/dist")" = "Rufdepot-1.0.0-win32.zip" ] || fail "'$address': dist/ holds $(ls "$DIR/dist" | tr '\n' ' ')"
done

# Without an address at all, or without its value.
for args in "" "--contact"; do
  out=$("$DIR/scripts/package" $args 2>&1); rc=$?
  [ "$rc" != 0 ] || fail "'scripts/package $args' went ahead"
  grep -qE "no contact address|usage:" <<<"$out" || fail "'scripts/package $args' said: $out"
done
cmp -s "$DIR/dist/Rufdepot-1.0.0-win32.zip" "$DIR/earlier.zip" || fail "the earlier package changed"

ACCEPTED=(
  "https://github.com/rufdepot/rufdepot/issues"
  "probleme@firma.de"
  "mailto:probleme@firma.de"
  "https://firma.de:8443/kontakt?thema=rufdepot"
  "firma.de/kontakt"
  "https://test.firma.de/x"
)
for address in "${ACCEPTED[@]}"; do
  out=$("$SCRIPTS/check-contact" "$address" 2>&1) || fail "'$address' was refused: $out"
done
((FAILED == 0)) && echo "passed"
exit $FAILED
