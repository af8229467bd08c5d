#!/usr/bin/env bash
# Builds the Debian package from a build folder and installs it with apt on a fresh Debian 12 (the
# base system ../shared/tools/fresh-debian makes), then starts the installed program offscreen and
# checks that it keeps running. Needs root. Usage: scripts/check-deb.sh [build dir]
# Exit 0: installed and started. 1: failed. 3: no fresh system here (no root or no base system).
set -u
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd) || exit 1
base=/var/tmp/fresh-debian-bookworm.tar
[ "$(id -u)" -eq 0 ] || { echo "check-deb: needs root"; exit 3; }
[ -f "$base" ] || { echo "check-deb: no base system $base (run ../shared/tools/fresh-debian once)"; exit 3; }
(cd "$build" && cpack -G DEB >/dev/null) || { echo "check-deb: cpack failed"; exit 1; }
deb=$(ls -t "$build"/ninefold-sudoku_*.deb | head -n 1)
root=$(mktemp -d /var/tmp/check-deb.XXXXXX)
trap 'rm -rf --one-file-system "$root"' EXIT
tar -xf "$base" -C "$root" || exit 3
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null
cp "$deb" "$root/tmp/"
inner="apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/$(basename "$deb") >/dev/null \
  && command -v NinefoldSudoku && test -f /usr/share/metainfo/org.ninefoldsudoku.NinefoldSudoku.metainfo.xml || exit 1; \
  mkdir -p /tmp/home && HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/home QT_QPA_PLATFORM=offscreen timeout 10 NinefoldSudoku; \
  rc=\$?; [ \$rc -eq 124 ] || { echo \"the installed program stopped (exit \$rc)\"; exit 1; }; \
  ninefold-sudoku-cli --help >/dev/null"
unshare --mount --propagation private /bin/bash -c '
  r=$1; mount -t proc proc "$r/proc" && mount --rbind /sys "$r/sys" && mount --rbind /dev "$r/dev" || exit 3
  exec chroot "$r" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 /bin/bash -c "$2"
' _ "$root" "$inner" >"$build/check-deb.log" 2>&1
rc=$?
[ $rc -eq 0 ] && echo "check-deb: $(basename "$deb") installs with apt on a fresh Debian 12 and starts" \
  || { echo "check-deb: FAILED (exit $rc); log: $build/check-deb.log"; tail -n 5 "$build/check-deb.log"; }
exit $rc
