# Shared by the run and test commands: install what is missing, then configure and build.
set -euo pipefail

QLX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QLX_BUILD="${QLX_BUILD:-$QLX_ROOT/build}"
QLX_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libqt6printsupport6 qt6-qpa-plugins
              libsqlite3-dev sqlite3 fonts-dejavu-core poppler-utils desktop-file-utils unrtf
              appstream shared-mime-info libqt6svg6)

qlx_install_packages() {
    local missing=()
    for p in "${QLX_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Extra arguments go to the configure step, e.g. qlx_build -DQLX_SANITIZE=ON
qlx_build() {
    cmake -S "$QLX_ROOT" -B "$QLX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQLX_WERROR=ON "$@"
    cmake --build "$QLX_BUILD" -j "$(nproc)"
}
