#!/bin/sh
# Draws the pictures of the main page into res/: for each operation a normal icon
# (0 to 4) and a highlighted one (5 to 9) in the order Encrypt, Decrypt, Shred, Hide,
# Show, and MainForm.jpg, the strip on the left of the main page. Needs ImageMagick.
#
# The operation list draws its rows white, the row under the pointer light blue
# (221, 239, 255); JPEG has no transparency, so each icon carries its row's background.
# Icons are drawn four times larger and scaled down, which smooths their edges.
set -eu

cd "$(dirname "$0")"
mkdir -p res

SIZE=48              # fits a list row of 51 pixels
SCALE=4
CANVAS=$((SIZE * SCALE))
NORMAL_BACK=white
HOT_BACK='rgb(221,239,255)'

# icon FILE BACKGROUND COLOUR SHAPE: SHAPE is a function that prints the drawing, in
# ImageMagick's vector language, of the icon on a 192 x 192 canvas in COLOUR.
icon() {
    convert -size ${CANVAS}x${CANVAS} "xc:$2" -draw "$("$4" "$3" "$2")" \
        -resize ${SIZE}x${SIZE} -strip -sampling-factor 1x1 -quality 90 "res/$1"
}

padlock_body() {
    cat <<MVG
stroke none fill '$1' roundrectangle 36,88 156,172 16,16
fill '$2' circle 96,122 96,110 polygon 88,126 104,126 108,152 84,152
MVG
}

# shackle COLOUR ARC_CENTRE_Y LEFT_END_Y RIGHT_END_Y: the bow as an open line of points
# (this ImageMagick closes the path of an arc, which would fill the bow's hole).
shackle() {
    awk -v colour="$1" -v cy="$2" -v left="$3" -v right="$4" 'BEGIN {
        printf "fill none stroke \047%s\047 stroke-width 20 stroke-linejoin round polyline 62,%d", colour, left
        for (a = 180; a <= 360; a += 10) {
            r = a * 3.14159265 / 180
            printf " %.1f,%.1f", 96 + 34 * cos(r), cy + 34 * sin(r)
        }
        printf " 130,%d\n", right
    }'
}

padlock_closed() {
    shackle "$1" 62 96 96
    padlock_body "$@"
}

padlock_open() {
    shackle "$1" 44 62 96
    padlock_body "$@"
}

shredder() {
    # A sheet going in at the top, strips of different lengths coming out below.
    cat <<MVG
fill white stroke '$1' stroke-width 6 rectangle 58,14 134,84
stroke-width 5 line 72,34 120,34 line 72,50 120,50 line 72,66 108,66
stroke none fill '$1' roundrectangle 24,78 168,122 12,12
fill '$2' rectangle 42,96 150,102
fill '$1'
MVG
    for x in 40 62 84 106 128 150; do
        echo "rectangle $((x - 6)),128 $((x + 5)),$((150 + (x % 3) * 12))"
    done
}

eye() {
    cat <<MVG
fill white stroke '$1' stroke-width 12 path 'M 14,96 Q 96,10 178,96 Q 96,182 14,96 Z'
stroke none fill '$1' circle 96,96 96,64
fill '#1a1a2e' circle 96,96 96,82
fill white circle 108,84 108,76
MVG
}

eye_crossed() {
    eye "$@"
    # A band of background keeps the stroke apart from the eye.
    cat <<MVG
stroke '$2' stroke-width 30 line 40,160 160,32
stroke '$1' stroke-width 14 line 40,160 160,32
MVG
}

# Normal and highlighted colour of each operation; the highlight is brighter.
icon 0.jpg "$NORMAL_BACK" '#2e7d32' padlock_closed
icon 5.jpg "$HOT_BACK" '#43a047' padlock_closed
icon 1.jpg "$NORMAL_BACK" '#1565c0' padlock_open
icon 6.jpg "$HOT_BACK" '#1e88e5' padlock_open
icon 2.jpg "$NORMAL_BACK" '#c62828' shredder
icon 7.jpg "$HOT_BACK" '#e53935' shredder
icon 3.jpg "$NORMAL_BACK" '#6a1b9a' eye_crossed
icon 8.jpg "$HOT_BACK" '#8e24aa' eye_crossed
icon 4.jpg "$NORMAL_BACK" '#ef6c00' eye
icon 9.jpg "$HOT_BACK" '#fb8c00' eye

# The main page's strip, 290 x 410: a blue gradient, a shield with a keyhole and the name.
convert -size 290x410 gradient:'#0d47a1-#42a5f5' \
    -fill 'rgba(255,255,255,0.18)' -stroke none \
    -draw "path 'M 145,70 L 235,104 L 235,190 Q 235,270 145,320 Q 55,270 55,190 L 55,104 Z'" \
    -fill '#e3f2fd' -draw "circle 145,175 145,151" \
    -draw "polygon 133,184 157,184 166,250 124,250" \
    -fill white -font DejaVu-Sans-Bold -pointsize 34 -gravity south \
    -annotate +0+34 'Dovrel' \
    -strip -quality 85 res/MainForm.jpg

# --- The window's own pictures, compiled into Dovrel.exe as resources -------------------
DESIGN=../src/wizard/win32/res
mkdir -p "$DESIGN"
SMALL_WORK=$(mktemp -d)
trap 'rm -rf "$SMALL_WORK"' EXIT

# sprite FILE DRAWING: a 16 x 16 picture with transparency, drawn on 64 x 64 and scaled.
sprite() {
    convert -size 64x64 xc:none -draw "$2" -resize 16x16 "PNG32:$SMALL_WORK/$1"
}

# sprite192 FILE SHAPE COLOUR DETAIL: one of the operation shapes above, scaled to 16 x 16.
sprite192() {
    convert -size 192x192 xc:none -draw "$("$2" "$3" "$4")" -resize 16x16 "PNG32:$SMALL_WORK/$1"
}

BOX="fill white stroke '#5f6b73' stroke-width 4 rectangle 8,8 56,56"
# The selection tree's pictures, in the order of its picture list: an unused empty box,
# the three check states, the three kinds of drive, a folder, a file and an encrypted file.
sprite t0.png "$BOX"
sprite t1.png "$BOX fill none stroke '#2e7d32' stroke-width 8 stroke-linecap round
    stroke-linejoin round polyline 18,33 28,44 47,20"
sprite t2.png "$BOX stroke none fill '#43a047' rectangle 19,19 45,45"
sprite t3.png "$BOX"
sprite t4.png "fill '#b0bec5' stroke '#455a64' stroke-width 3 roundrectangle 4,18 60,50 6,6
    stroke none fill '#78909c' rectangle 10,38 40,42 fill '#43a047' circle 50,40 50,36"
sprite t5.png "fill '#cfd8dc' stroke '#607d8b' stroke-width 3 circle 32,32 32,4
    stroke none fill '#b3e5fc' circle 32,32 32,12 fill '#e1bee7' circle 32,32 32,20
    fill white stroke '#607d8b' stroke-width 3 circle 32,32 32,25"
sprite t6.png "fill '#1565c0' stroke '#0d47a1' stroke-width 3 polygon 6,6 50,6 58,14 58,58 6,58
    stroke none fill '#cfd8dc' rectangle 18,6 44,24 fill '#1565c0' rectangle 34,10 40,20
    fill white rectangle 14,34 50,58"
sprite t7.png "fill '#f9a825' stroke '#c17900' stroke-width 3 polygon 4,12 24,12 30,18 56,18 56,54 4,54
    fill '#ffe082' polygon 14,28 62,28 54,54 4,54"
sprite t8.png "fill white stroke '#616161' stroke-width 3 polygon 12,4 40,4 52,16 52,60 12,60
    fill '#e0e0e0' polygon 40,4 40,16 52,16"
sprite192 t9.png padlock_closed '#1565c0' white
convert "$SMALL_WORK"/t[0-9].png +append +repage "PNG32:$DESIGN/TreePictures.png"

# The button bar's pictures: Options, Help, Back, Next, Exit and Finish.
gear="fill '#546e7a' stroke none circle 32,32 32,12"
for angle in 0 45 90 135; do
    gear="$gear push graphic-context translate 32,32 rotate $angle
        rectangle -6,-28 6,28 pop graphic-context"
done
sprite b0.png "$gear fill '#eceff1' circle 32,32 32,24"
sprite b1.png "fill '#1565c0' circle 32,32 32,4 fill white font DejaVu-Sans-Bold font-size 44
    text 19,48 '?'"
sprite b2.png "fill '#2e7d32' polygon 4,32 30,6 30,22 60,22 60,42 30,42 30,58"
sprite b3.png "fill '#2e7d32' polygon 60,32 34,6 34,22 4,22 4,42 34,42 34,58"
sprite b4.png "fill none stroke '#c62828' stroke-width 11 stroke-linecap round
    line 14,14 50,50 line 50,14 14,50"
sprite b5.png "fill none stroke '#2e7d32' stroke-width 11 stroke-linecap round
    stroke-linejoin round polyline 8,34 25,51 56,14"
convert "$SMALL_WORK"/b[0-5].png +append +repage "PNG32:$DESIGN/ButtonPictures.png"

# page FILE TOP BOTTOM SHAPE DETAIL: a path's strip on the left of its pages, 290 x 410,
# its operation's shape large and light on a gradient of the operation's colour.
page() {
    convert -size 290x410 "gradient:$2-$3" \
        \( -size 192x192 xc:none -draw "$("$4" 'rgba(255,255,255,0.88)' "$5")" \) \
        -gravity center -geometry +0-30 -composite \
        -fill 'rgba(255,255,255,0.85)' -font DejaVu-Sans-Bold -pointsize 30 -gravity south \
        -annotate +0+34 'Dovrel' -strip -quality 88 "$DESIGN/$1"
}
page EncryptPage.jpg '#1b5e20' '#66bb6a' padlock_closed '#3b8a40'
page DecryptPage.jpg '#0d47a1' '#64b5f6' padlock_open '#2f76c4'
page ShredPage.jpg '#b71c1c' '#ef5350' shredder '#d13330'
page HidePage.jpg '#4a148c' '#ab47bc' eye_crossed '#7a2fa3'
page ShowPage.jpg '#e65100' '#ffa726' eye '#f27a12'

# --- The program icon: the closed padlock on the main page's blue, in the sizes Windows
# asks for (title bar, taskbar, Start menu, large views). Installed as res/Dovrel.ico and
# compiled into the programs.
convert -size 768x768 xc:none -fill '#1565c0' -draw 'roundrectangle 24,24 744,744 120,120' \
    \( -size 192x192 xc:none -draw "$(padlock_closed white '#1565c0')" -resize 576x576 \) \
    -gravity center -composite "PNG32:$SMALL_WORK/icon.png"
for size in 16 24 32 48 64 256; do
    convert "$SMALL_WORK/icon.png" -resize ${size}x${size} "PNG32:$SMALL_WORK/icon-$size.png"
done
convert "$SMALL_WORK"/icon-16.png "$SMALL_WORK"/icon-24.png "$SMALL_WORK"/icon-32.png \
    "$SMALL_WORK"/icon-48.png "$SMALL_WORK"/icon-64.png "$SMALL_WORK"/icon-256.png res/Dovrel.ico

# The options dialog's About page shows the icon large.
convert "$SMALL_WORK/icon.png" -resize 128x128 "PNG32:$DESIGN/About.png"
