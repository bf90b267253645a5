#!/usr/bin/env bash
# Installs what the builds and tests need on a Debian machine, once.
# A second run on a machine that has everything installs nothing.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  cmake make g++ wine wine32:i386 fonts-wine
  libxrender1:i386 libxcursor1:i386 libxi6:i386 libxrandr2:i386 libxinerama1:i386
  libxcomposite1:i386 libxfixes3:i386 libxxf86vm1:i386 libxext6:i386
  xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei locales
  googletest libgtest-dev libbenchmark-dev python3-xlib clang-format wine64
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${#missing[@]} packages"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A kernel without 32-bit support cannot start Wine's i386 loader: run i386 programs through
# qemu's user-mode emulator (version 10 from bookworm-backports; 7.2 ignores Wine's address
# space reservations and hangs) registered with binfmt_misc.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  if ! qemu-i386-static --version 2>/dev/null | grep -q 'version \(9\|[1-9][0-9]\)'; then
    echo "setup: installing qemu-user-static from bookworm-backports (no native 32-bit support)"
    if [ ! -f /etc/apt/sources.list.d/backports.sources ] && ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d/; then
      printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        > /etc/apt/sources.list.d/backports.sources
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user-static >/dev/null
  fi
  [ -f /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  for name in qemu-i386 qemu-i386-dyn; do
    [ -f /proc/sys/fs/binfmt_misc/$name ] && echo -1 > /proc/sys/fs/binfmt_misc/$name
  done
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::${magic}\x02\x00\x03\x00:${mask}:/usr/bin/qemu-i386-static:F" > /proc/sys/fs/binfmt_misc/register
  echo ":qemu-i386-dyn:M::${magic}\x03\x00\x03\x00:${mask}:/usr/bin/qemu-i386-static:F" > /proc/sys/fs/binfmt_misc/register
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "setup: cannot run i386 programs" >&2; exit 1; }
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
