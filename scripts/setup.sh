# Shared by scripts/run and scripts/test: installs what is missing and builds.
# Sourced, not run; sets LX_ROOT and LX_BUILD.

LX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LX_BUILD=${LX_BUILD:-$LX_ROOT/build}

lx_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6sql6-ibase qt6-image-formats-plugins libgl-dev
  firebird3.0-server-core firebird3.0-utils firebird-dev
  libbenchmark-dev
  fonts-liberation poppler-utils qt6-translations-l10n
)

lx_sudo() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

lx_install() {
  local missing=()
  for p in "${lx_packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    lx_sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive lx_sudo apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
}

lx_build() {
  cmake -S "$LX_ROOT" -B "$LX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE="${LX_BUILD_TYPE:-RelWithDebInfo}" ${LX_CMAKE_ARGS:-} >/dev/null
  cmake --build "$LX_BUILD" -j"$(nproc)"
}
