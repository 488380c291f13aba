# Shared by scripts/run and scripts/test: install what is missing, configure and build.
# shellcheck shell=bash

KORVEL_TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Debian packages. Building and running the handset, the virtual boat and the update program
# needs only the first list (scripts/run installs no more); the tests, the benchmarks, the
# sanitizer and fuzz builds and the programs that read the handset's files add the second.
KORVEL_RUN_PACKAGES=(
    cmake ninja-build g++
    qtbase5-dev qtbase5-dev-tools qt5-style-plugins
    fonts-dejavu-core fonts-wqy-microhei
)
KORVEL_TEST_PACKAGES=(
    clang pkg-config libbenchmark-dev valgrind
    xvfb xauth
    libxml2-utils gdal-bin gpsbabel gpsd gpsd-clients python3
)
KORVEL_PACKAGES=("${KORVEL_RUN_PACKAGES[@]}" "${KORVEL_TEST_PACKAGES[@]}")

korvel_missing_packages() {
    local missing=()
    for p in "${KORVEL_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    echo "${missing[@]}"
}

# apt-get's output as a few lines: the download's size, then a count of the packages set up.
korvel_install_progress() {
    awk '/^[0-9]+ upgraded, [0-9]+ newly installed/ { total = $3; print "  " $0 }
         /^Need to get/ { print "  " $0; fflush() }
         /^Setting up / { n++; if (n % 25 == 0) { printf "  set up %d of %d\n", n, total; fflush() } }
         /^(E|W): / { print }
         END { if (n) printf "  set up %d of %d: installed\n", n, total }'
}

korvel_install() {
    local missing
    missing="$(korvel_missing_packages)"
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing $(wc -w <<<"$missing") Debian packages and what they need: $missing"
        export DEBIAN_FRONTEND=noninteractive
        echo "  reading the package lists"
        apt-get update -qq
        # shellcheck disable=SC2086
        apt-get install -y -q --no-install-recommends $missing | korvel_install_progress
    else
        echo "Missing packages. Run as root:"
        echo "  apt-get update && apt-get install -y --no-install-recommends $missing"
        exit 1
    fi
}

# The GPX 1.1 schema as its publisher wrote it, for xmllint --schema in the tests: Debian carries
# it unchanged in a small package (pytrainer's schemas), of which only that file is unpacked;
# nothing of the package is installed. Kept in tests/data/gpx/ (not tracked).
KORVEL_GPX_SCHEMA="$KORVEL_TOP/tests/data/gpx/gpx-1.1.xsd"
KORVEL_GPX_SCHEMA_SHA256=e0e4cb84f096f65b03fb2d391d74a5389563fe015f17a011ccfe7e37c01267f0

korvel_gpx_schema() {
    if [ -f "$KORVEL_GPX_SCHEMA" ] &&
        echo "$KORVEL_GPX_SCHEMA_SHA256  $KORVEL_GPX_SCHEMA" | sha256sum --quiet -c 2>/dev/null; then
        return 0
    fi
    echo "Fetching the GPX 1.1 schema (from Debian's pytrainer package)"
    local work
    work="$(mktemp -d)"
    (cd "$work" && apt-get download -qq pytrainer 2>/dev/null ||
        { apt-get update -qq && apt-get download -qq pytrainer; }) &&
        dpkg-deb --fsys-tarfile "$work"/pytrainer_*.deb |
        tar -x -C "$work" ./usr/share/pytrainer/schemas/Topografix_gpx11.xsd &&
        echo "$KORVEL_GPX_SCHEMA_SHA256  $work/usr/share/pytrainer/schemas/Topografix_gpx11.xsd" |
        sha256sum --quiet -c &&
        mkdir -p "$(dirname "$KORVEL_GPX_SCHEMA")" &&
        cp "$work/usr/share/pytrainer/schemas/Topografix_gpx11.xsd" "$KORVEL_GPX_SCHEMA"
    local rc=$?
    rm -rf "$work"
    [ $rc -eq 0 ] || { echo "The GPX 1.1 schema could not be fetched"; return 1; }
}

# korvel_configure DIR [cmake options...]: configure only.
korvel_configure() {
    local dir="$1"
    shift
    local gen=()
    command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
    if [ ! -f "$KORVEL_TOP/$dir/CMakeCache.txt" ]; then
        cmake -S "$KORVEL_TOP" -B "$KORVEL_TOP/$dir" "${gen[@]}" "$@"
    else
        cmake -S "$KORVEL_TOP" -B "$KORVEL_TOP/$dir" "$@" >/dev/null
    fi
}

# korvel_build DIR [cmake options...]
korvel_build() {
    korvel_configure "$@"
    cmake --build "$KORVEL_TOP/$1" --parallel "$(nproc)"
}

# The armel sysroot of the cross-build (scripts/test --arm): Debian's armel Qt and C library,
# unpacked without running anything of it. Made once; KORVEL_ARMEL_SYSROOT puts it elsewhere.
KORVEL_ARMEL_SYSROOT="${KORVEL_ARMEL_SYSROOT:-$KORVEL_TOP/build-armel-sysroot}"
KORVEL_ARMEL_PACKAGES=(gcc-arm-linux-gnueabi g++-arm-linux-gnueabi qemu-user-static debootstrap)
KORVEL_ARMEL_DEBS=libc6-dev,libstdc++-12-dev,libqt5widgets5,libqt5gui5,libqt5test5,qtbase5-dev

korvel_armel_sysroot() {
    local root="$KORVEL_ARMEL_SYSROOT"
    [ -f "$root/.korvel-sysroot" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "The armel sysroot is made by debootstrap, as root: run this once as root"
        exit 1
    fi
    local codename mirror
    codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    # The Debian archive that apt already uses.
    korvel_debian_mirror() {
        apt-cache policy | awk -v s="$codename/main" '$3 == s { print $2; exit }'
    }
    mirror="$(korvel_debian_mirror)"
    [ -n "$mirror" ] || { apt-get update -qq; mirror="$(korvel_debian_mirror)"; }
    [ -n "$mirror" ] || { echo "apt knows no archive for $codename/main"; exit 1; }
    echo "Making the armel sysroot in $root from $mirror"
    rm -rf "$root.tmp"
    mkdir -p "$root.tmp"
    # --foreign: download and unpack only; nothing of armel runs on this machine.
    debootstrap --foreign --arch=armel --variant=minbase --include="$KORVEL_ARMEL_DEBS" \
        "$codename" "$root.tmp" "$mirror" >"$root.tmp/korvel-debootstrap.log" 2>&1 ||
        { tail -n 20 "$root.tmp/korvel-debootstrap.log"; exit 1; }
    local deb
    for deb in "$root.tmp"/var/cache/apt/archives/*.deb; do
        dpkg -x "$deb" "$root.tmp"
    done
    rm -f "$root.tmp"/var/cache/apt/archives/*.deb
    # qemu -L looks up every absolute path in the sysroot first: its run-time trees and fonts
    # would hide the host's (its /dev/ptmx is not the host's pseudo-terminals, the tests' font
    # is among the host's fonts, and the font settings that package scripts link into
    # /etc/fonts/conf.d, which dpkg -x does not run, are the host's).
    rm -rf "${root:?}.tmp"/{dev,proc,sys,tmp,run,root,home,mnt} "$root.tmp/usr/share/fonts" \
        "$root.tmp/etc/fonts" "$root.tmp/var/cache/fontconfig"
    touch "$root.tmp/.korvel-sysroot"
    mv "$root.tmp" "$root"
}

# korvel_armel_configure DIR: the cross-build's configuration (cmake/armel-toolchain.cmake).
korvel_armel_configure() {
    korvel_configure "$1" -DCMAKE_TOOLCHAIN_FILE="$KORVEL_TOP/cmake/armel-toolchain.cmake" \
        -DKORVEL_ARMEL_SYSROOT="$KORVEL_ARMEL_SYSROOT" -DKORVEL_BUILD_BENCH=OFF
}

# korvel_armel_emulator DIR: sets KORVEL_ARMEL_EMULATOR to the command that runs an armel program
# of the build in DIR (absolute, or under the tree) as the ARM926, the way ctest runs the tests
# (cmake/armel-emulated.cmake).
korvel_armel_emulator() {
    local dir="$1"
    [[ "$dir" = /* ]] || dir="$KORVEL_TOP/$dir"
    KORVEL_ARMEL_EMULATOR=("$dir/armel-qemu" env
        "QT_PLUGIN_PATH=$KORVEL_ARMEL_SYSROOT/usr/lib/arm-linux-gnueabi/qt5/plugins"
        qemu-arm-static -cpu arm926 -L "$KORVEL_ARMEL_SYSROOT")
}
