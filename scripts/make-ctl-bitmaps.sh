#!/usr/bin/env bash
# Draws the control library's bitmaps (marks, spin-arrow glyphs, message-box icons) with ImageMagick.
# Magenta (#FF00FF) is the transparent colour the library masks out when it draws them.
set -euo pipefail
cd "$(dirname "$0")/../resources/controls/bitmaps"
key='#FF00FF'
im() { convert "$@"; }
out() { echo "BMP3:$1"; }

# Check and radio marks: five cells in a row (check off, on, indeterminate, radio off, on).
marks() {  # file cell
    local f="$1" c="$2" e=$(( $2 - 1 )) m=$(( $2 / 2 )) r=$(( $2 / 2 - 1 )) d=$(( $2 / 4 ))
    local w=$(( c * 5 ))
    local box="fill white stroke '#808080' rectangle 0,0 $((e-1)),$((e-1)) stroke white line $e,0 $e,$e line 0,$e $e,$e"
    local tick="stroke black stroke-width $(( c > 14 ? 2 : 1 )) polyline $((d)),$((m)) $((m-1)),$((e-d-1)) $((e-d)),$((d))"
    im -size ${w}x${c} xc:"$key" +antialias \
        -draw "translate 0,0 $box" \
        -draw "translate $c,0 $box" -draw "translate $c,0 $tick" \
        -draw "translate $((2*c)),0 fill '#C0C0C0' stroke '#808080' rectangle 0,0 $((e-1)),$((e-1))" \
        -draw "translate $((2*c)),0 fill none $tick" \
        -draw "translate $((3*c)),0 fill white stroke '#808080' circle $m,$m $m,1" \
        -draw "translate $((4*c)),0 fill white stroke '#808080' circle $m,$m $m,1" \
        -draw "translate $((4*c)),0 fill black stroke black circle $m,$m $m,$((m - r / 2))" \
        -type TrueColor "$(out "$f")"
}
marks 11000.bmp 13
marks 12000.bmp 16

# Spin-arrow glyphs: up, down, and a disabled pair (up then down) for each size.
arrows() {  # base width height
    local b="$1" w="$2" h="$3"
    im -size ${w}x${h} xc:"$key" +antialias -fill black -stroke black \
        -draw "polygon $(( (w-1)/2 )),0 0,$((h-1)) $((w-1)),$((h-1))" -type TrueColor "$(out ${b}1.bmp)"
    im -size ${w}x${h} xc:"$key" +antialias -fill black -stroke black \
        -draw "polygon 0,0 $((w-1)),0 $(( (w-1)/2 )),$((h-1))" -type TrueColor "$(out ${b}2.bmp)"
    im -size $((2*w))x${h} xc:"$key" +antialias -fill '#808080' -stroke '#808080' \
        -draw "polygon $(( (w-1)/2 )),0 0,$((h-1)) $((w-1)),$((h-1))" \
        -draw "polygon $w,0 $((2*w-1)),0 $(( w + (w-1)/2 )),$((h-1))" -type TrueColor "$(out ${b}3.bmp)"
}
arrows 1100 7 4
arrows 1200 9 5

# Message-box icons: stop, question, exclamation, information.
icons() {  # base size
    local b="$1" s="$2" e=$(( $2 - 1 )) m=$(( $2 / 2 )) p=$(( $2 * 11 / 16 ))
    im -size ${s}x${s} xc:"$key" +antialias -fill '#C00000' -stroke black -draw "circle $m,$m $m,1" \
        -stroke white -strokewidth $(( s / 10 )) \
        -draw "line $((s*5/16)),$((s*5/16)) $((s*11/16)),$((s*11/16))" \
        -draw "line $((s*11/16)),$((s*5/16)) $((s*5/16)),$((s*11/16))" -type TrueColor "$(out ${b}1.bmp)"
    im -size ${s}x${s} xc:"$key" +antialias -fill white -stroke black -draw "circle $m,$m $m,1" \
        -fill '#0000C0' -stroke none -font DejaVu-Sans-Bold -pointsize $p -gravity center -annotate +0+0 '?' \
        -type TrueColor "$(out ${b}2.bmp)"
    im -size ${s}x${s} xc:"$key" +antialias -fill '#FFFF00' -stroke black \
        -draw "polygon $m,1 $((e-1)),$((e-1)) 1,$((e-1))" \
        -fill black -stroke none -font DejaVu-Sans-Bold -pointsize $p -gravity center -annotate +0+$(( s / 10 )) '!' \
        -type TrueColor "$(out ${b}3.bmp)"
    im -size ${s}x${s} xc:"$key" +antialias -fill white -stroke black -draw "circle $m,$m $m,1" \
        -fill '#0000C0' -stroke none -font DejaVu-Serif-Bold -pointsize $p -gravity center -annotate +0+0 'i' \
        -type TrueColor "$(out ${b}4.bmp)"
}
icons 1190 32
icons 1390 24
ls -1 *.bmp | wc -l
