# Shared by scripts/run and scripts/test: install what is missing, configure and build.
# shellcheck shell=bash

KORVEL_TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages the build, the tests and the tools need.
KORVEL_PACKAGES=(
    cmake ninja-build g++ clang pkg-config
    qtbase5-dev qtbase5-dev-tools qt5-style-plugins
    libbenchmark-dev
    fonts-dejavu-core fonts-wqy-microhei
    xvfb xauth
    libxml2-utils gdal-bin gpsbabel gpsd-clients
)

korvel_missing_packages() {
    local missing=()
    for p in "${KORVEL_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    echo "${missing[@]}"
}

korvel_install() {
    local missing
    missing="$(korvel_missing_packages)"
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: $missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        # shellcheck disable=SC2086
        apt-get install -y -qq --no-install-recommends $missing
    else
        echo "Missing packages. Run as root:"
        echo "  apt-get update && apt-get install -y --no-install-recommends $missing"
        exit 1
    fi
}

# korvel_build DIR [cmake options...]
korvel_build() {
    local dir="$1"
    shift
    local gen=()
    command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
    if [ ! -f "$KORVEL_TOP/$dir/CMakeCache.txt" ]; then
        cmake -S "$KORVEL_TOP" -B "$KORVEL_TOP/$dir" "${gen[@]}" "$@"
    else
        cmake -S "$KORVEL_TOP" -B "$KORVEL_TOP/$dir" "$@" >/dev/null
    fi
    cmake --build "$KORVEL_TOP/$dir" --parallel "$(nproc)"
}
