#!/usr/bin/env bash
# Draws the Ondrix logo (logo.gif, shown on the black client area while no session is open) with
# ImageMagick: a terminal frame with a prompt and caret beside the program's name. Run it again
# after changing the drawing; the GIF is kept in the tree so that building needs no ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
fonts=/usr/share/fonts/truetype/dejavu
convert -size 300x110 xc:black \
  -fill '#0b2a22' -stroke '#3fbf8f' -strokewidth 3 -draw 'roundrectangle 8,14 96,94 10,10' \
  -stroke none -fill '#3fbf8f' -draw 'rectangle 8,14 96,26' \
  -fill '#0b2a22' -draw 'circle 18,20 20,20' -draw 'circle 28,20 30,20' \
  -font "$fonts/DejaVuSansMono-Bold.ttf" -pointsize 30 -fill '#7dffc8' -draw "text 20,70 '>'" \
  -fill '#7dffc8' -draw 'rectangle 48,64 70,70' \
  -font "$fonts/DejaVuSans-Bold.ttf" -pointsize 46 -fill '#e8f4ef' -draw "text 110,66 'Ondrix'" \
  -font "$fonts/DejaVuSans.ttf" -pointsize 14 -fill '#8aa79b' -draw "text 113,90 'scriptable telnet terminal'" \
  -colors 32 logo.gif
