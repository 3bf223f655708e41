# Shared by the scripts: install what is missing, then configure and build.
set -euo pipefail

QLX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QLX_BUILD="${QLX_BUILD:-$QLX_ROOT/build}"
# What building and running the program takes.
QLX_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libqt6printsupport6 qt6-qpa-plugins libqt6svg6
              libsqlite3-dev fonts-dejavu-core)
# What the tests call besides (the PDF and RTF readers, the desktop file checkers), and the sqlite3
# shell to look into a settings store.
QLX_TEST_PACKAGES=(sqlite3 poppler-utils unrtf desktop-file-utils appstream shared-mime-info)

# Installs the packages of QLX_PACKAGES that are missing, as root or through sudo. Without either,
# says what to install and stops.
qlx_install_packages() {
    local missing=()
    for p in "${QLX_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || qlx_ask_for_packages "${missing[@]}"
        as_root=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq &&
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}" ||
        qlx_ask_for_packages "${missing[@]}"
}

qlx_ask_for_packages() {
    echo "Missing Debian packages: $*" >&2
    echo "Install them as root with: apt-get install $*" >&2
    exit 1
}

# Extra arguments go to the configure step, e.g. qlx_configure -DQLX_SANITIZE=ON
qlx_configure() {
    cmake -S "$QLX_ROOT" -B "$QLX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQLX_WERROR=ON "$@"
}

# Builds the targets named, or everything.
qlx_compile() {
    [ $# -eq 0 ] || set -- --target "$@"
    cmake --build "$QLX_BUILD" -j "$(nproc)" "$@"
}

# Extra arguments go to the configure step, e.g. qlx_build -DQLX_SANITIZE=ON
qlx_build() {
    qlx_configure "$@"
    qlx_compile
}
