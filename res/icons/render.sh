#!/usr/bin/env bash
# Renders dizored.svg into the nine PNG sizes of the application icon (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 24 32 48 64 96 128 192 256; do
  rsvg-convert --width "$size" --height "$size" --format png --output "dizored-$size.png" dizored.svg
done
