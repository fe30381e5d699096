#!/usr/bin/env bash
# Set-up, build, run and test on a fresh Debian 12 machine.
#   tools/dev.sh run    install what is missing, build, start the program
#   tools/dev.sh test   install what is missing, build, run every test headless
#   tools/dev.sh package  install what is missing, build, make the Debian package in build/
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake ninja-build ccache qt6-base-dev libgl-dev libcurl4-openssl-dev
          libgtest-dev libgmock-dev libbenchmark-dev python3 python3-aiosmtpd clang libclang-rt-14-dev xvfb xauth
          qt6-translations-l10n qt6-qpa-plugins dpkg-dev lintian desktop-file-utils appstream
          libssl-dev libdds-dev qt6-httpserver-dev libqrencode-dev chromium chromium-driver
          python3-selenium
          qt6-websockets-dev)  # Debian's Qt HTTP Server CMake package will not load without it

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build
}

case "${1:-}" in
  run)
    install_missing
    build
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "There is no display. Start the program under a virtual one:"
      echo "  xvfb-run -a build/bin/mervalo"
      exit 1
    fi
    exec build/bin/mervalo
    ;;
  test)
    install_missing
    build
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
    # The same suite once more with AddressSanitizer and UndefinedBehaviorSanitizer: a memory
    # error or undefined behaviour anywhere fails the run.
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERVALO_SANITIZE=ON \
      -DMERVALO_BENCH=OFF >/dev/null
    cmake --build build-asan
    (cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
      LSAN_OPTIONS="suppressions=$PWD/../tools/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --output-on-failure -j2)
    if [ -x tools/fuzz.sh ]; then tools/fuzz.sh; fi
    ;;
  package)
    install_missing
    build
    cmake --build build --target package
    ls build/mervalo_*.deb
    ;;
  *)
    echo "usage: tools/dev.sh run|test|package" >&2
    exit 2
    ;;
esac
