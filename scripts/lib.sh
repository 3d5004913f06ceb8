# Shared by the scripts: installing what is missing, Wine and the virtual
# display. Source it; every function says what it does.
set -euo pipefail

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The same on every machine, whatever the calling shell holds. Wine takes
# its ANSI code page from the locale: C.UTF-8 gives 1252, as on German
# Windows (an inherited ru_RU.UTF-8 would give 1251). Python helpers see no
# PYTHON* settings; builds take their compilers and flags from the presets.
# A test run that needs another system code page names its locale in
# RUFDEPOT_LOCALE, the one setting that is passed on.
unset LC_ALL LC_CTYPE LC_COLLATE LC_MESSAGES LC_NUMERIC LC_TIME LANGUAGE
export LANG=${RUFDEPOT_LOCALE:-C.UTF-8}
if [ -n "${RUFDEPOT_LOCALE:-}" ]; then export LC_ALL=$RUFDEPOT_LOCALE; fi
unset WINEARCH WINELOADER WINESERVER WINEDLLPATH
unset CC CXX CFLAGS CXXFLAGS CPPFLAGS LDFLAGS RCFLAGS CMAKE_TOOLCHAIN_FILE CMAKE_GENERATOR
while read -r name; do unset "$name"; done < <(compgen -e | grep '^PYTHON' || true)

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

say() { printf '== %s\n' "$*" >&2; }

PACKAGES=(cmake g++ ninja-build python3
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 fonts-wine xvfb xdotool x11-apps imagemagick locales qemu-user-static
  doctest-dev googletest libbenchmark-dev clang libclang-rt-14-dev icoutils util-linux)

# Installs the packages that are missing (apt, no prompts); quiet when all are there.
ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    say "installing missing packages: ${missing[*]}"
    [ "$(id -u)" = 0 ] || { say "run as root to install packages"; exit 1; }
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    DEBIAN_FRONTEND=noninteractive apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
  ensure_locales
}

# Wine takes its ANSI code page from a generated locale only: de_DE for
# German button labels (1252), hi_IN for a system with UTF-8 as its code
# page (65001), ru_RU for a Cyrillic one (1251).
TEST_LOCALES=(de_DE hi_IN ru_RU)
ensure_locales() {
  local name missing=()
  for name in "${TEST_LOCALES[@]}"; do
    locale -a 2>/dev/null | grep -qix "$name.utf8" || missing+=("$name")
  done
  ((${#missing[@]})) || return 0
  say "generating the locales ${missing[*]} (UTF-8) for Wine's code pages"
  [ "$(id -u)" = 0 ] || { say "run as root to generate locales"; exit 1; }
  for name in "${missing[@]}"; do
    grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || sed -i "s/^# *$name.UTF-8 UTF-8/$name.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" >> /etc/locale.gen
  done
  locale-gen >/dev/null
}

# True where 32-bit programs run through qemu rather than natively: once
# qemu is registered for them, the kernel hands it every 32-bit program,
# whether or not the machine could run it itself.
i386_emulated() {
  [ "$(cat /proc/sys/fs/binfmt_misc/status 2>/dev/null)" = enabled ] &&
    head -1 /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null | grep -qx enabled
}

# Lets the 32-bit Wine loader run through qemu user-mode emulation where the
# machine runs no 32-bit code natively.
ensure_i386_emulation() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 && return 0
  mountpoint -q /proc/sys/fs/binfmt_misc || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    say "registering qemu-i386 for 32-bit programs"
    echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      > /proc/sys/fs/binfmt_misc/register
  fi
}

# A 64-bit Wine prefix of our own, created once (~10 s), without window
# manager decorations so hidden windows cost nothing.
wine64_prefix() {
  export WINEPREFIX=${RUFDEPOT_WINEPREFIX:-$REPO/build/wine64-prefix}
  [ -f "$WINEPREFIX/.rufdepot-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  flock -o "$WINEPREFIX.lock" bash -c '
    [ -f "$WINEPREFIX/.rufdepot-ready" ] && exit 0
    echo "== creating the 64-bit Wine prefix $WINEPREFIX" >&2
    unshare -m sh -c "mount --bind /bin/false /usr/lib/wine/wine && '"$WINE64"' wineboot -i" </dev/null >/dev/null 2>&1
    '"$WINE64"' reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f </dev/null >/dev/null 2>&1
    '"$WINESERVER"' -w
    touch "$WINEPREFIX/.rufdepot-ready"'
}

# A virtual display for this shell when there is none; stopped on exit.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
    say "virtual display $DISPLAY"
    return 0
  done
  say "no free display number"; exit 1
}

# Starts Wine's services with no inherited descriptors, so that a later
# test's pipe is not held open by them.
warm_wine() {
  "$WINE64" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

stop_wine() { "$WINESERVER" -k 2>/dev/null || true; }

# A Wine prefix of its own for runs at another display scale, set to DPI
# (96 = 100 %, 144 = 150 %); Wine reads the scale when its server starts.
dpi_prefix() {
  local dpi=$1 base
  wine64_prefix
  base=$WINEPREFIX
  export WINEPREFIX=${RUFDEPOT_DPI_WINEPREFIX:-$REPO/build/wine64-dpi-prefix}
  if [ ! -f "$WINEPREFIX/.rufdepot-ready" ]; then
    flock -o "$WINEPREFIX.lock" bash -c '
      [ -f "$WINEPREFIX/.rufdepot-ready" ] && exit 0
      rm -rf "$WINEPREFIX" && cp -a "'"$base"'" "$WINEPREFIX"'
  fi
  if [ "$(cat "$WINEPREFIX/.rufdepot-dpi" 2>/dev/null)" != "$dpi" ]; then
    "$WINESERVER" -k 2>/dev/null || true
    "$WINE64" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
    echo "$dpi" > "$WINEPREFIX/.rufdepot-dpi"
  fi
}
