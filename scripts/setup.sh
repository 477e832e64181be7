# Shared set-up of scripts/run and scripts/test: installs the Debian packages
# that are missing, then configures and builds. Sourced, not run.

MIRELSIM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MIRELSIM_BUILD="${MIRELSIM_BUILD:-$MIRELSIM_ROOT/build}"

mirelsim_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 fonts-dejavu-core
)

mirelsim_install_missing() {
    local missing=()
    for p in "${mirelsim_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

mirelsim_build() {
    local werror=OFF
    [ -n "${CI:-}" ] && werror=ON
    cmake -S "$MIRELSIM_ROOT" -B "$MIRELSIM_BUILD" -G Ninja \
        -DCMAKE_BUILD_TYPE="${MIRELSIM_BUILD_TYPE:-RelWithDebInfo}" -DMIRELSIM_WERROR="$werror"
    cmake --build "$MIRELSIM_BUILD" --parallel "$(nproc)"
}
