#!/usr/bin/env bash
# Draws the grid's radio-button glyphs (ESGRAD01-08, 15 x 15 on the fuchsia
# transparent colour, like the check-box glyphs), the panning marks (INTLI1-3,
# 32 x 32 on the same colour) and its panning and pointer cursors
# (CUR8000-8008, CUR8010-8012, 32 x 32 with alpha) into
# grid/bitmaps. Run it from the tree's root when a drawing changes; the
# images are committed, so the build does not need ImageMagick.
set -euo pipefail
out=${1:-grid/bitmaps}
key='#FF00FF'

# radio NAME OUTLINE FILL DOT(or none) RING(width)
radio() {
  local args=(-size 15x15 "xc:$key" +antialias -fill "$3" -stroke "$2" -strokewidth "$5"
              -draw "circle 7,7 7,1")
  if [ "$4" != none ]; then
    args+=(-fill "$4" -stroke "$4" -strokewidth 1 -draw "circle 7,7 7,5")
  fi
  convert "${args[@]}" -type TrueColor "PNG24:$out/$1.png"
}
# Sharp look: heavy outline.
radio ESGRAD01 black white black 2
radio ESGRAD02 black white none 2
radio ESGRAD03 gray '#DCDCDC' gray 2
radio ESGRAD04 gray '#DCDCDC' none 2
# Soft look: thin blue outline.
radio ESGRAD05 '#1C5180' white '#21A121' 1
radio ESGRAD06 '#1C5180' white none 1
radio ESGRAD07 '#B7BAB8' '#F0F0F0' '#B7BAB8' 1
radio ESGRAD08 '#B7BAB8' '#F0F0F0' none 1

# mark NAME DRAW...: the panning mark, a ring with the axes that pan, in
# plain black on the transparent colour (no blending into it).
mark() {
  local name=$1
  shift
  convert -size 32x32 "xc:$key" +antialias -fill none -stroke black -strokewidth 1.5 \
          -draw "circle 16.5,16.5 16.5,6.5" "$@" -type TrueColor "PNG24:$out/$name.png"
}
across="line 2,16.5 31,16.5"
upright="line 16.5,2 16.5,31"
mark INTLI1 -draw "$across" -draw "$upright"
mark INTLI2 -draw "$across"
mark INTLI3 -draw "$upright"

# cursor NAME DRAW...: black shapes with a white rim on transparency.
cursor() {
  local name=$1
  shift
  convert -size 32x32 xc:none -stroke white -strokewidth 3 -fill black "$@" \
          -stroke none -fill black "$@" "PNG32:$out/$name.png"
}
# An arrow head of the panning cursors pointing from the centre by (dx, dy).
head() {
  local dx=$1 dy=$2
  local tx=$((16 + dx * 13)) ty=$((16 + dy * 13))
  # Base corners: back 6 along the direction, out 5 across it.
  local bx=$((tx - dx * 6)) by=$((ty - dy * 6))
  local px=$((-dy)) py=$dx
  if [ "$dx" != 0 ] && [ "$dy" != 0 ]; then
    bx=$((tx - dx * 5)); by=$((ty - dy * 5)); px=$((-dy * 4)); py=$((dx * 4))
  else
    px=$((px * 5)); py=$((py * 5))
  fi
  echo "polygon $tx,$ty $((bx + px)),$((by + py)) $((bx - px)),$((by - py))"
}
centre="circle 16,16 16,13"
cursor CUR8000 -draw "$centre" -draw "$(head 0 -1)" -draw "$(head 0 1)" -draw "$(head -1 0)" -draw "$(head 1 0)"
cursor CUR8001 -draw "$centre" -draw "$(head 0 1)"
cursor CUR8002 -draw "$centre" -draw "$(head -1 0)"
cursor CUR8003 -draw "$centre" -draw "$(head 1 0)"
cursor CUR8004 -draw "$centre" -draw "$(head 0 -1)"
cursor CUR8005 -draw "$centre" -draw "$(head 1 -1)"
cursor CUR8006 -draw "$centre" -draw "$(head -1 -1)"
cursor CUR8007 -draw "$centre" -draw "$(head 1 1)"
cursor CUR8008 -draw "$centre" -draw "$(head -1 1)"
# Pointer states: select a whole row (a right arrow), a whole column (a down
# arrow), all cells or the fill handle (a plus).
cursor CUR8010 -draw "polygon 4,13 18,13 18,7 28,16 18,25 18,19 4,19"
cursor CUR8011 -draw "polygon 13,4 19,4 19,18 25,18 16,28 7,18 13,18"
cursor CUR8012 -draw "polygon 13,4 19,4 19,13 28,13 28,19 19,19 19,28 13,28 13,19 4,19 4,13 13,13"
