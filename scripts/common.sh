# Shared by the scripts: package installation and the build. Source it, do not run it.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Installs the Debian packages given that are not installed yet.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# fonts-dejavu-extra: the serif italic that the formulas set x and y in.
BUILD_PACKAGES=(g++ cmake make qt6-base-dev libxkbcommon-dev libgl-dev fonts-ipafont-gothic
                fonts-dejavu-extra qt6-l10n-tools qt6-tools-dev qt6-translations-l10n)

# What making and checking the Debian package needs (scripts/package, the install tests).
PACKAGE_PACKAGES=(dpkg-dev lintian appstream desktop-file-utils man-db file poppler-utils
                  shared-mime-info libxml2-utils)

# build DIR [cmake options...]: configures once and builds with every core.
build_in() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}
