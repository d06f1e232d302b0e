# Shared by the scripts: where things are, and installing what a fresh Debian 12 lacks.

DIZORED_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Packages that building and running need.
DIZORED_BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libssl-dev libpugixml-dev libnss3-dev libnss3-tools qt6-base-dev
  libgtest-dev libgmock-dev libbenchmark-dev python3
  openssl xvfb xauth fonts-noto-cjk
  clang libclang-rt-14-dev llvm
)

# The sanitizer build: clang with ASan (LeakSanitizer included), UBSan and the fuzzers.
DIZORED_SANITIZE_OPTIONS=(
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIZORED_WERROR=ON
  -DDIZORED_SANITIZE=address,undefined -DDIZORED_FUZZ=ON
)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

log() { printf '\n==> %s\n' "$*"; }

# Installs whichever of the named Debian packages are missing.
ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "Installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# configure_and_build BUILD_DIR [cmake options...]
configure_and_build() {
  local dir=$1; shift
  cmake -S "$DIZORED_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}
