# Shared by the scripts: the Debian packages the project needs, and the build.

QUENBY_PACKAGES=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev
    libcpp-httplib-dev libzip-dev libsqlite3-dev nlohmann-json3-dev libsodium-dev
    libgtest-dev libbenchmark-dev
    fonts-liberation fonts-dejavu-core
    zip desktop-file-utils appstream libxml2-dev
    xvfb xauth xdotool
)

# Installs whatever of QUENBY_PACKAGES (and the extra names given) is missing.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "${QUENBY_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_jobs() { nproc 2>/dev/null || echo 2; }

# Configures and builds a tree: build_tree DIR [cmake options...]
build_tree() {
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@"
    cmake --build "$dir" -j"$(build_jobs)"
}
