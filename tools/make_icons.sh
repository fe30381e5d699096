#!/usr/bin/env bash
# Renders the program's icon from its drawing into the sizes the desktop and the window use.
# Needs rsvg-convert (Debian's librsvg2-bin); the PNG files are committed.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 48 256; do
  rsvg-convert -w "$size" -h "$size" mervalo.svg -o "mervalo-$size.png"
done
