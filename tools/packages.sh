#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (only what is
# missing), and makes sure 32-bit programs (Wine's) can run on this kernel.
set -euo pipefail
packages=(
  g++-mingw-w64-i686 mingw-w64-i686-dev cmake make googletest
  wine wine32:i386 xvfb xauth imagemagick xdotool
  unixodbc libodbc2:i386 libsqliteodbc:i386 sqlite3
  libodbcinst2:i386 libodbccr2:i386 odbc-postgresql:i386 postgresql
  cups cups-bsd printer-driver-cups-pdf libcups2:i386 poppler-utils fonts-dejavu-core groff-base
  fonts-urw-base35 ghostscript
  locales nodejs
  python3-dbf python3-dbfread
)
# The archive URI this machine already uses for the release's main suite,
# read from its own apt sources (deb822 .sources files or one-line lists).
release_archive_uri() {
  local release=$1 f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v rel="$release" '
      function flush() { if (deb && uris != "" && (" " suites " ") ~ (" " rel " ")) { split(uris, u, " "); print u[1]; exit } deb=0; uris=""; suites="" }
      /^[ \t]*$/ { flush(); next }
      /^Types:/ { deb = ($0 ~ /(^|[ \t])deb([ \t]|$)/) }
      /^URIs:/ { sub(/^URIs:[ \t]*/, ""); uris=$0 }
      /^Suites:/ { sub(/^Suites:[ \t]*/, ""); suites=$0 }
      END { flush() }' "$f"
  done | head -n1 | grep . && return
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk -v rel="$release" '$1 == "deb" { i = 2; if ($2 ~ /^\[/) while ($i !~ /\]$/) i++; if ($2 ~ /^\[/) i++; if ($(i+1) == rel) { print $i; exit } }'
}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# A mirror caught mid-sync fails one index now and then: try again, and in
# the end go on with what was fetched (a package still missing fails below).
apt_update() {
  local try
  for try in 1 2 3 4; do
    $sudo apt-get update -qq && return 0
    echo "apt-get update failed (try $try), retrying" >&2
    sleep $((try * 10))
  done
  echo "apt-get update: going on with the indexes fetched" >&2
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  apt_update
  # With one suite's index for one architecture missing, the solver can find
  # no version pair for a library both architectures need (they must match):
  # then take every package from the release's own suite, which has both.
  if ! DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "installing again from the $release suite alone" >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends -t "$release" "${missing[@]}" >/dev/null
  fi
fi

# npm comes with some builds of nodejs and apart from others.
if ! command -v npm >/dev/null; then
  echo "installing: npm"
  apt_update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends npm >/dev/null
fi
# The second source of amounts in words for the dialog library's test, at
# the version its lock file pins.
money_words="$(cd "$(dirname "$0")/.." && pwd)/tests/tools/money_words"
if [ ! -f "$money_words/node_modules/rubles/package.json" ]; then
  (cd "$money_words" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi

# The tests run Wine in the Russian locale: generate it where it is missing,
# keeping every locale the machine already has.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  echo "generating locale ru_RU.UTF-8"
  grep -qx 'ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    echo 'ru_RU.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

# Some kernels run 64-bit user code only (execve of an i386 program fails).
# There Wine's 32-bit programs run under qemu's user-mode emulation, which
# must be 8.0 or newer (it honours MAP_FIXED_NOREPLACE, which Wine's memory
# set-up relies on); bookworm has 7.2, bookworm-backports a current one.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  qemu=/usr/bin/qemu-i386
  version=$("$qemu" --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p' || true)
  if [ -z "$version" ] || [ "$version" -lt 8 ]; then
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "installing qemu-user-static from ${release}-backports (32-bit programs run emulated here)"
    list=/etc/apt/sources.list.d/korvex-backports.list
    if [ ! -f "$list" ]; then
      uri=$(release_archive_uri "$release")
      [ -n "$uri" ] || { echo "no apt source for release $release found in /etc/apt: cannot add its backports suite" >&2; exit 1; }
      echo "deb $uri ${release}-backports main" | $sudo tee "$list" >/dev/null
    fi
    apt_update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      -t "${release}-backports" qemu-user-static >/dev/null
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
  # Registered with F (the interpreter is opened now), so re-register to
  # drop an entry that holds an older qemu.
  [ -e "$binfmt/qemu-i386" ] && echo -1 | $sudo tee "$binfmt/qemu-i386" >/dev/null
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:$qemu:OCF" | $sudo tee "$binfmt/register" >/dev/null
  /usr/lib/wine/wine --version >/dev/null || { echo "32-bit programs cannot run on this machine" >&2; exit 1; }
fi
