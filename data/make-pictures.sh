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
