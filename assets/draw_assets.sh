#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the game's pictures and window icon into the folder this script lives in:
#   vermou.gif vermod.gif vermol.gif vermor.gif  the worm's head facing up, down, left, right
#   poison.gif                                   a poison item
#   vermoicp.ico                                 the window icon (16, 32 and 48 px)
#   icons/vermo-N.png                            the same icon for menus (32 to 256 px)
# Needs ImageMagick 6 (`convert`). Only draw primitives are used, so every run
# gives the same files byte for byte.
set -euo pipefail

cd "$(dirname "$0")"
command -v convert >/dev/null || { echo "draw_assets.sh: ImageMagick 'convert' not found" >&2; exit 1; }

# The game stretches every sprite into its cell: 19 px at the window's design
# size, four times that and more on a large screen. The shapes are drawn
# around a centre in units of a 57 px picture and scaled by ZOOM, so the
# pictures stay sharp up to four times the design size (228 px) and are
# smoothed down from there at the design size.
readonly ZOOM=4
readonly SIZE=$((57 * ZOOM))
readonly CENTRE=$(awk "BEGIN { print 28 * $ZOOM + ($ZOOM - 1) / 2 }")

readonly WORM_GREEN='#008000'
readonly WORM_RIM='#005800'
readonly WORM_SHINE='#2a9a2a'
readonly TONGUE_RED='#e01010'

# The head seen facing right, drawn around the origin (the picture's centre).
# `rotate` turns the face into the other directions; the shine is drawn
# before the turn so the light always comes from the top left.
head_mvg() {
    local turn=$1 centre=${2:-$CENTRE} zoom=${3:-$ZOOM}
    cat <<EOF
push graphic-context
  translate $centre,$centre
  scale $zoom,$zoom
  stroke '$WORM_RIM' stroke-width 2 fill '$WORM_GREEN'
  circle 0,0 26,0
  stroke none fill '$WORM_SHINE'
  ellipse -8,-10 11,7 0,360
  fill '$WORM_GREEN'
  ellipse -4,-6 11,7 0,360
  push graphic-context
    rotate $turn
    fill '$TONGUE_RED'
    path 'M 19,-1.6 L 24.5,-1.6 L 27.5,-4.5 L 27.5,-2.5 L 25.8,0 L 27.5,2.5 L 27.5,4.5 L 24.5,1.6 L 19,1.6 Z'
    stroke '#202020' stroke-width 1.2 fill white
    circle 9,-11 9,-3
    circle 9,11 9,19
    stroke none fill black
    circle 12,-11 12,-6.5
    circle 12,11 12,15.5
    fill white
    circle 10.5,-12.5 10.5,-11.3
    circle 10.5,9.5 10.5,10.7
  pop graphic-context
pop graphic-context
EOF
}

# GIF on the black playfield colour, palette without dither noise.
draw_head() {
    local turn=$1 file=$2
    convert -size ${SIZE}x${SIZE} xc:black -draw "$(head_mvg "$turn")" \
        +dither -colors 64 "$file"
}

draw_head 0 vermor.gif
draw_head 90 vermod.gif
draw_head 180 vermol.gif
draw_head 270 vermou.gif

# Poison: a pale skull and crossbones on a dark purple round with a magenta
# rim, unlike any berry colour and unlike the green worm.
readonly POISON_ROUND='#3c0a55'
readonly POISON_RIM='#d030e0'
readonly BONE='#f0e4ff'

convert -size ${SIZE}x${SIZE} xc:black -draw "
push graphic-context
  translate $CENTRE,$CENTRE
  scale $ZOOM,$ZOOM
  stroke '$POISON_RIM' stroke-width 3 fill '$POISON_ROUND'
  circle 0,0 26,0
  stroke '$BONE' stroke-width 4.5 stroke-linecap round fill none
  line -14,-14 14,14
  line 14,-14 -14,14
  stroke none fill '$BONE'
  circle -17,-13 -17,-10
  circle -13,-17 -10,-17
  circle 17,-13 17,-10
  circle 13,-17 10,-17
  circle -17,13 -17,10
  circle -13,17 -10,17
  circle 17,13 17,10
  circle 13,17 10,17
  stroke '$POISON_ROUND' stroke-width 2.5
  circle 0,-3 0,-16
  roundrectangle -7,3 7,13 3,3
  stroke none
  circle 0,-3 0,-15.5
  roundrectangle -6.5,3 6.5,12.5 3,3
  fill '$POISON_ROUND'
  circle -5,-3 -5,1.5
  circle 5,-3 5,1.5
  polygon 0,2 -2.2,6 2.2,6
  stroke '$POISON_ROUND' stroke-width 1.4
  line -2.5,9 -2.5,13
  line 2.5,9 2.5,13
pop graphic-context
" +dither -colors 64 poison.gif

# Window icon: the right-facing head on a transparent background, drawn
# large and shrunk to each size so the small ones stay clean.
readonly ICON_BIG=171
convert -size ${ICON_BIG}x${ICON_BIG} xc:none -draw "$(head_mvg 0 85 3)" \
    \( -clone 0 -resize 48x48 \) \
    \( -clone 0 -resize 32x32 \) \
    \( -clone 0 -resize 16x16 \) \
    -delete 0 vermoicp.ico

# The same icon for desktop menus, as PNG files of the sizes the icon theme
# asks for: the head drawn once at three times the largest size on a
# transparent background and shrunk to each size. Without time stamps, so
# every run gives the same bytes.
readonly MENU_BIG=768
mkdir -p icons
convert -size ${MENU_BIG}x${MENU_BIG} xc:none \
    -draw "$(head_mvg 0 383.5 "$(awk "BEGIN { print $MENU_BIG / 57 }")")" \
    -write mpr:head +delete \
    \( mpr:head -resize 256x256 -strip -define png:exclude-chunks=date,time -write PNG32:icons/vermo-256.png \) \
    \( mpr:head -resize 128x128 -strip -define png:exclude-chunks=date,time -write PNG32:icons/vermo-128.png \) \
    \( mpr:head -resize 64x64 -strip -define png:exclude-chunks=date,time -write PNG32:icons/vermo-64.png \) \
    \( mpr:head -resize 48x48 -strip -define png:exclude-chunks=date,time -write PNG32:icons/vermo-48.png \) \
    \( mpr:head -resize 32x32 -strip -define png:exclude-chunks=date,time -write PNG32:icons/vermo-32.png \) \
    null:
