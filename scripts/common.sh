# Shared by scripts/run and scripts/test (sourced, not run).
# Finds the source tree whatever the current directory, installs what is
# missing with apt-get, and configures and builds the two CMake builds.

set -Eeuo pipefail

VELMORA_ROOT=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
BUILD_ROOT=${VELMORA_BUILD_ROOT:-$VELMORA_ROOT/build}
JOBS=${VELMORA_JOBS:-2}
XVFB_SCREEN="-screen 0 1280x1024x24"

# Packages, by the name dpkg knows them (wine32 lives in the i386 architecture).
BUILD_PACKAGES=(g++ cmake make git libgtest-dev googletest clang-format
    g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 gcab zip)
# The window tests measure text: Wine draws it with this font on Linux.
WINE_PACKAGES=(wine wine32:i386 wine64 xvfb xauth fonts-dejavu-core)

# The 64-bit loader directly: the generic "wine" starts the 32-bit one first,
# which some kernels can only run emulated (slowly). It still runs 32-bit
# programs, through the 32-bit loader.
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=wine64

# Wine: no Mono/Gecko download prompts, no menu entries, quiet.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

step() { printf '\n==> %s\n' "$*"; }
die() {
    printf '\nerror: %s\n' "$*" >&2
    exit 1
}

# Reports the step that failed when a command under `set -e` stops the script.
on_error() {
    local rc=$? line=$1
    printf '\nerror: %s failed (exit %s) at %s line %s: %s\n' \
        "${CURRENT_STEP:-a command}" "$rc" "$(basename "$0")" "$line" "$BASH_COMMAND" >&2
    exit "$rc"
}
trap 'on_error $LINENO' ERR

# Prints the packages of the arguments that dpkg does not list as installed.
missing_packages() {
    local pkg status
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
        [ "$status" = installed ] || printf '%s\n' "$pkg"
    done
}

# Installs the packages that are missing; touches apt not at all when none is.
ensure_packages() {
    command -v dpkg-query >/dev/null || die "dpkg-query not found: these scripts need Debian 12 (or a derivative)"
    local missing=() need_i386=0 pkg
    mapfile -t missing < <(missing_packages "$@")
    for pkg in "$@"; do
        case $pkg in *:i386) need_i386=1 ;; esac
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi

    local sudo=()
    if [ "$(id -u)" != 0 ]; then
        command -v sudo >/dev/null ||
            die "missing packages (${missing[*]}) and not root: install them as root, or run as root"
        sudo=(sudo)
    fi
    CURRENT_STEP="installing ${missing[*]}"
    step "Installing missing packages: ${missing[*]}"
    if [ "$need_i386" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo[@]}" dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" apt-get install -y -q "${missing[@]}"
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] || die "apt-get did not install: ${missing[*]}"
    CURRENT_STEP=
}

# configure_build NAME [cmake options...]: configures BUILD_ROOT/NAME.
configure_build() {
    local name=$1
    shift
    CURRENT_STEP="configuring build/$name"
    step "Configuring $BUILD_ROOT/$name"
    # CMake leaves the test lists of a former configuration behind; the ones
    # still wanted are written again.
    [ ! -d "$BUILD_ROOT/$name" ] || find "$BUILD_ROOT/$name" -name CTestTestfile.cmake -delete
    cmake -S "$VELMORA_ROOT" -B "$BUILD_ROOT/$name" "$@" >"$BUILD_ROOT/$name.configure.log" 2>&1 || {
        cat "$BUILD_ROOT/$name.configure.log" >&2
        die "CMake could not configure $BUILD_ROOT/$name (log above)"
    }
}

# build NAME [targets...]: builds BUILD_ROOT/NAME (everything when no target).
build() {
    local name=$1 target
    shift
    CURRENT_STEP="building build/$name"
    step "Building $BUILD_ROOT/$name ${*:+($*)}"
    if [ $# -eq 0 ]; then
        cmake --build "$BUILD_ROOT/$name" -j "$JOBS"
    else
        for target in "$@"; do
            cmake --build "$BUILD_ROOT/$name" -j "$JOBS" --target "$target"
        done
    fi
    CURRENT_STEP=
}

configure_win32() {
    mkdir -p "$BUILD_ROOT"
    configure_build win32 -DCMAKE_TOOLCHAIN_FILE="$VELMORA_ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release
}

# The name a Windows program under Wine gives a Unix path (drive Z: is /).
windows_path() {
    local path
    path=$(readlink -f "$1")
    path=${path//\//\\}
    printf 'Z:%s\n' "$path"
}

# Stops every Wine process of a prefix (they may hold a display that is gone).
stop_wine_prefix() {
    [ -d "$1" ] || return 0
    WINEPREFIX=$1 wineserver -k 2>/dev/null || true
    WINEPREFIX=$1 wineserver -w 2>/dev/null || true
}

mkdir -p "$BUILD_ROOT"
