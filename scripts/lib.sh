# Shared by the project's scripts: package installation and the build step.
# Source it; it expects ROOT to be the repository root.

REELKIT_PACKAGES=(
  qtbase5-dev qttools5-dev libboost-dev libgoogle-glog-dev
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools
  cmake ninja-build g++ clang-14 libclang-rt-14-dev
  xvfb xauth fonts-dejavu-core libbenchmark-dev googletest ccache doxygen
  libmpv-dev libavformat-dev libavcodec-dev libavutil-dev ffmpeg pkg-config dbus-daemon
)

# Installs whatever is missing from the given package list (default: the
# project's own list), through sudo when not root.
reelkit_install_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -gt 0 ] || wanted=("${REELKIT_PACKAGES[@]}")
  local missing=()
  local pkg
  for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Prints how long the previous stage took and starts the next one, so that
# a run's log shows where its time goes.
reelkit_stage() {
  local now
  now=$(date +%s)
  [ -n "${REELKIT_STAGE:-}" ] && echo "== $REELKIT_STAGE: $((now - REELKIT_STAGE_START)) s"
  REELKIT_STAGE="$1"
  REELKIT_STAGE_START=$now
  [ "$1" = done ] || echo "== $1"
}

# Configures (once) and builds a tree (the project's own unless -S DIR comes
# first among the extra arguments, which go to the first configure). A tree
# configured before it had a choice of Qt is configured again, so that the
# REELKIT_QT_MAJOR_VERSION among the arguments takes effect.
reelkit_build() {
  local dir="$1"
  shift
  local source=(-S "$ROOT")
  [ "${1:-}" = "-S" ] && source=()
  if [ ! -f "$dir/build.ninja" ] \
    || { [ "${1:-}" != "-S" ] && ! grep -q '^REELKIT_QT_MAJOR_VERSION:' "$dir/CMakeCache.txt"; }; then
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake "${source[@]}" -B "$dir" -G Ninja "${launcher[@]}" "$@"
  fi
  cmake --build "$dir" -- -j"$(nproc)" ${REELKIT_TARGETS:-}
}
