#!/usr/bin/env bash
# Draws the orientation pictures of the options page (ImageMagick).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
bg='rgb(192,208,224)'; ink='rgb(40,48,64)'; rule='rgb(120,130,150)'
convert -size 44x44 xc:"$bg" -fill white -stroke "$ink" -strokewidth 1.5 -draw "rectangle 11,3 33,40" \
    -stroke "$rule" -strokewidth 1 -draw "line 15,10 29,10" -draw "line 15,15 29,15" -draw "line 15,20 29,20" \
    -draw "line 15,25 25,25" -draw "line 15,30 29,30" -type TrueColor BMP3:hochkant.bmp
convert -size 44x44 xc:"$bg" -fill white -stroke "$ink" -strokewidth 1.5 -draw "rectangle 3,11 40,33" \
    -stroke "$rule" -strokewidth 1 -draw "line 8,17 35,17" -draw "line 8,22 35,22" -draw "line 8,27 28,27" \
    -type TrueColor BMP3:querkant.bmp
