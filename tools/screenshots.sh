#!/usr/bin/env bash
# Makes the pictures of the organiser's guide (docs/guide.nl.md, docs/guide.en.md) again: builds
# tools/screenshots, walks a first evening through the real program on a virtual X server
# (Xvfb, with the machine's real fonts) in both languages, and puts the pictures in docs/img/nl
# and docs/img/en. Run it whenever a screen the guide shows has changed, and commit the result.
#   tools/screenshots.sh            uses the build folder "build"
#   BUILD=build-x tools/screenshots.sh
# Needs the packages xvfb, xauth and python3-aiosmtpd (the mail is really sent, to a mail
# server on 127.0.0.1 that the run starts and stops).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD="${BUILD:-build}"
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake -S . -B "$BUILD" -DMERVALO_SCREENSHOTS=ON >/dev/null
cmake --build "$BUILD" --target mervalo_screenshots

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# The same look on every machine: no desktop's theme, style or scaling leaks into the pictures.
run() {
  env -u QT_STYLE_OVERRIDE -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_QPA_PLATFORMTHEME \
    QT_QPA_PLATFORM=xcb QT_AUTO_SCREEN_SCALE_FACTOR=0 LC_ALL=C.UTF-8 \
    xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96" "$BUILD/bin/mervalo_screenshots" "$@"
}

for pair in 10:nl 11:en; do
  language="${pair%%:*}"
  folder="${pair##*:}"
  run "$language" "$scratch/$folder"
done

# Only a complete run replaces the pictures, so a walk that stopped halfway leaves the old ones.
for folder in nl en; do
  mkdir -p "docs/img/$folder"
  rm -f "docs/img/$folder"/*.png
  cp "$scratch/$folder"/*.png "docs/img/$folder/"
done
echo "The pictures are in docs/img/nl and docs/img/en; look at them before committing."
