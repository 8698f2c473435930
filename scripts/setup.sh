# Shared by scripts/run and scripts/test: installs the Debian packages that are
# missing (apt-get update only when something is missing) and builds the
# project into build/. Source it; it defines nothing else.

set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${PEREWAL_BUILD_DIR:-$root/build}

# Installs every package of the arguments that is not installed yet.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null; then
            sudo=(sudo)
        else
            echo "These Debian packages are missing and this user cannot install them: ${missing[*]}" >&2
            return 1
        fi
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# qt6-tools-dev and qt6-l10n-tools build the translations; qt6-translations-l10n holds Qt's own.
build_packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
                libgl-dev fonts-dejavu-core)
smoke_packages=(xvfb xauth xdotool imagemagick openbox wmctrl)
# Validators of the menu entry, the description and the type of graph files, run as tests when present.
validate_packages=(desktop-file-utils appstream shared-mime-info)
# cpack's Debian generator finds the package's dependencies with dpkg-shlibdeps.
package_packages=(dpkg-dev file)

# Configures (once) and builds; extra arguments go to the first configuration.
build_project() {
    if [ ! -f "$build_dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    fi
    cmake --build "$build_dir" --parallel "$(nproc)"
}
