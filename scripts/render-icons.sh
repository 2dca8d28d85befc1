#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG (run after editing packaging/icons/ravo2.svg).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" ravo2.svg -o "ravo2-$size.png"
done
