#!/usr/bin/env bash
# Installs the Debian packages Kerb Runner needs to build, run and test, if any is missing,
# and any packages named as arguments.
# Quiet when everything is present. Works as root, or through sudo otherwise.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri
  libsdl2-mixer-dev libmp3lame-dev
  libfreetype-dev fonts-dejavu-core
  libpng-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils
  desktop-file-utils man-db
  imagemagick time
  python3
)

# Callers may name more packages (packaging/build-deb.sh adds its tools).
PACKAGES+=("$@")

missing=()
for pkg in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing+=("$pkg") ;;
  esac
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  run_root=()
elif command -v sudo >/dev/null 2>&1; then
  run_root=(sudo)
else
  echo "Kerb Runner needs these Debian packages: ${missing[*]}" >&2
  echo "Install them as root (apt-get install ${missing[*]}) or install sudo, then run this again." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${run_root[@]}" apt-get update -qq
"${run_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
