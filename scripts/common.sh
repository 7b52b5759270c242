# Shared by scripts/run and scripts/test (sourced, not run).
# Finds the source tree whatever the current directory, installs what is
# missing with apt-get, and configures and builds the two CMake builds.

set -Eeuo pipefail

VELMORA_ROOT=$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.." && pwd)
BUILD_ROOT=${VELMORA_BUILD_ROOT:-$VELMORA_ROOT/build}
JOBS=${VELMORA_JOBS:-2}
XVFB_SCREEN="-screen 0 1280x1024x24"

# Nothing of the caller's environment decides what happens: Wine makes files
# with accented names only under a UTF-8 locale, which minimal systems lack.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset LANGUAGE
[ -n "${HOME:-}" ] || HOME=$(getent passwd "$(id -u)" | cut -d: -f6)
export HOME

# Packages, by the name dpkg knows them (wine32 lives in the i386 architecture).
BUILD_PACKAGES=(g++ cmake make git libgtest-dev libgmock-dev googletest clang-format
    g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 gcab zip
    libmspack-dev cabextract osslsigncode openssl)
# The fuzz targets: libFuzzer comes with clang's runtime libraries.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The window tests measure text: Wine draws it with DejaVu on Linux; its
# title bar buttons come from the Marlett of fonts-wine (only recommended).
WINE_PACKAGES=(wine wine32:i386 wine64 fonts-wine xvfb xauth fonts-dejavu-core)
# The 32-bit emulation: apt-get fetches qemu from Debian 13 with the keys of
# debian-archive-keyring; unshare and mount come with util-linux and mount.
EMULATION_PACKAGES=(debian-archive-keyring util-linux mount)

# The loaders, once the packages are there (find_wine). The 64-bit one starts
# 32-bit programs through the 32-bit one, which some kernels run only emulated.
WINE64=
WINE32=
find_wine() {
    WINE64=/usr/lib/wine/wine64
    WINE32=/usr/lib/wine/wine
    [ -x "$WINE64" ] || WINE64=$(command -v wine64) || die "no 64-bit Wine loader (wine64) installed"
    [ -x "$WINE32" ] || die "no 32-bit Wine loader ($WINE32; package wine32:i386) installed"
}

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

# ---------------------------------------------------------------- emulation
# A kernel that runs no 32-bit code still runs the 32-bit Wine under
# qemu-i386, registered as the handler of i386 programs in a user and mount
# namespace of our own: nothing changes for the rest of the machine. Debian
# 12's qemu 7.2 is far too slow for Wine; Debian 13's qemu-user has a static
# qemu-i386 10, fetched with an apt configuration of its own, never added to
# the system's sources.
QEMU_I386=$BUILD_ROOT/emu32/qemu-i386
QEMU_SUITE=trixie
QEMU_MIRROR=http://deb.debian.org/debian
# i386 executables and shared objects (e_type 2 or 3, e_machine 3); F opens
# the interpreter now, so that it is found whatever the program's root.
I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

qemu_ok() { "$QEMU_I386" --version 2>/dev/null | grep -q '^qemu-i386 version [1-9][0-9]\.'; }

# Fetches qemu-i386 into build/emu32 unless it is there; fails when it cannot.
ensure_qemu() {
    qemu_ok && return 0
    CURRENT_STEP="fetching qemu-i386 from Debian 13"
    step "Fetching qemu-i386 from Debian 13 ($QEMU_SUITE) into $BUILD_ROOT/emu32"
    local dir=$BUILD_ROOT/emu32/apt
    rm -rf "$dir"
    mkdir -p "$dir/lists/partial" "$dir/archives/partial"
    printf 'deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s %s main\n' \
        "$QEMU_MIRROR" "$QEMU_SUITE" >"$dir/sources.list"
    : >"$dir/status"
    local apt=(-q -o Dir::Etc::SourceList="$dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o Dir::State="$dir" -o Dir::State::Lists="$dir/lists" -o Dir::State::status="$dir/status"
        -o Dir::Cache="$dir" -o Dir::Cache::Archives="$dir/archives" -o APT::Architectures=amd64
        -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)")
    apt-get "${apt[@]}" update >"$dir/log" 2>&1 &&
        (cd "$dir" && apt-get "${apt[@]}" download qemu-user >>"$dir/log" 2>&1) || {
        cat "$dir/log" >&2
        return 1
    }
    dpkg-deb --fsys-tarfile "$dir"/qemu-user_*.deb | tar -x -O ./usr/bin/qemu-i386 >"$QEMU_I386"
    chmod +x "$QEMU_I386"
    rm -rf "$dir"
    qemu_ok || {
        rm -f "$QEMU_I386"
        return 1
    }
    "$QEMU_I386" --version | head -n 1
    CURRENT_STEP=
}

# emulated COMMAND...: runs the command with i386 programs handled by qemu-i386.
emulated() {
    unshare --user --map-root-user --mount /bin/bash -c '
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc &&
            printf "%s" ":velmora-i386:M::$1:$2:$3:F" >/proc/sys/fs/binfmt_misc/register || {
            echo "error: cannot register qemu-i386 in a namespace of our own (kernel $(uname -r))" >&2
            exit 1
        }
        shift 3
        exec "$@"' emulated "$I386_MAGIC" "$I386_MASK" "$QEMU_I386" "$@"
}

# Whether the 32-bit Wine loader starts here, directly or emulated.
wine32_starts() { timeout 300 "$WINE32" --version >/dev/null 2>&1; }
emulation_works() {
    ensure_qemu && emulated timeout 300 "$WINE32" --version >/dev/null
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
