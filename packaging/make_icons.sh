#!/usr/bin/env bash
# Draws the Ondrix application icon with ImageMagick, in the spirit of the logo: a terminal window
# with a green title bar, a prompt and a caret, on a rounded dark tile. Writes the hicolor theme
# sizes into icons/SIZE/ondrix.png. Run it again after changing the drawing; the PNGs are kept in
# the tree so that building and packaging need no ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
fonts=/usr/share/fonts/truetype/dejavu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size 256x256 xc:none \
  -fill '#0b2a22' -stroke '#3fbf8f' -strokewidth 12 -draw 'roundrectangle 14,22 242,234 28,28' \
  -stroke none -fill '#3fbf8f' -draw 'roundrectangle 14,22 242,74 28,28' -draw 'rectangle 14,50 242,74' \
  -fill '#0b2a22' -draw 'circle 48,48 58,48' -draw 'circle 82,48 92,48' \
  -font "$fonts/DejaVuSansMono-Bold.ttf" -pointsize 110 -fill '#7dffc8' -draw "text 40,182 '>'" \
  -fill '#7dffc8' -draw 'rectangle 120,160 196,178' \
  "$work/ondrix.png"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "icons/$size"
  convert "$work/ondrix.png" -resize "${size}x${size}" -depth 8 -strip "icons/$size/ondrix.png"
done
