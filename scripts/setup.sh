# Shared set-up of scripts/run and scripts/test: installs the Debian packages
# that are missing, then configures and builds. Sourced, not run.

# MIRELSIM_COMPILER picks gcc (the default) or clang; each has its own build
# folder, the clang one named as the gcc one with "-clang" after it.

MIRELSIM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MIRELSIM_COMPILER="${MIRELSIM_COMPILER:-gcc}"
MIRELSIM_BUILD="${MIRELSIM_BUILD:-$MIRELSIM_ROOT/build}"
case "$MIRELSIM_COMPILER" in
gcc) mirelsim_cxx=g++ ;;
clang)
    mirelsim_cxx=clang++
    MIRELSIM_BUILD="$MIRELSIM_BUILD-clang"
    ;;
*)
    echo "unknown compiler '$MIRELSIM_COMPILER' (expected gcc or clang)" >&2
    return 2
    ;;
esac

mirelsim_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 fonts-dejavu-core
)
if [ "$MIRELSIM_COMPILER" = clang ]; then
    mirelsim_packages+=(clang)
fi

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
    # CXX counts only when the folder is first configured: a folder keeps its compiler.
    CXX="$mirelsim_cxx" cmake -S "$MIRELSIM_ROOT" -B "$MIRELSIM_BUILD" -G Ninja \
        -DCMAKE_BUILD_TYPE="${MIRELSIM_BUILD_TYPE:-RelWithDebInfo}" -DMIRELSIM_WERROR="$werror"
    local used family=gcc
    used="$(readlink -f "$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$MIRELSIM_BUILD/CMakeCache.txt")")"
    [[ "$used" == *clang* ]] && family=clang
    if [ "$family" != "$MIRELSIM_COMPILER" ]; then
        echo "$MIRELSIM_BUILD was configured with $used, not $MIRELSIM_COMPILER: remove it to rebuild" >&2
        return 2
    fi
    cmake --build "$MIRELSIM_BUILD" --parallel "$(nproc)"
}
