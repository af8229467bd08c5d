#!/usr/bin/env bash
# Installs what building, running and testing need, on Debian 12 / Ubuntu 22.04 and later. Only
# missing packages are fetched. "a|b" takes the first name the package lists know (names differ
# between releases).
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  # Qt6UiTools needs Qt6OpenGLWidgets, whose Qt6OpenGL CMake files come with libqt6opengl6-dev.
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools libqt6opengl6-dev libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # clang and its runtimes: the sanitizer builds and libFuzzer.
  clang "libclang-rt-dev|libclang-rt-14-dev|libclang-rt-15-dev"
  fonts-liberation poppler-utils xdg-utils
  # Validators of the desktop metadata and manual pages.
  appstream desktop-file-utils man-db
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
updated=""
update() { [ -n "$updated" ] || { $sudo apt-get update -qq; updated=1; }; }
missing=()
for entry in "${packages[@]}"; do
  IFS='|' read -r -a names <<<"$entry"
  have=""
  for p in "${names[@]}"; do installed "$p" && { have=1; break; }; done
  [ -n "$have" ] && continue
  choice=${names[0]}
  if [ ${#names[@]} -gt 1 ]; then
    update
    for p in "${names[@]}"; do
      apt-cache show "$p" >/dev/null 2>&1 && { choice=$p; break; }
    done
  fi
  missing+=("$choice")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
