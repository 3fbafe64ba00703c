// Pixel art kept as text: a legend of colours and grids of legend letters.
//
// A source file is read line by line; blank lines and lines starting with
// '#' are skipped between directives. Numbers are pixels from the top-left
// corner of the picture being drawn.
//
//   colour C R G B [name]    legend letter C for this file; '.' always means
//                            transparent and pure black is refused, so every
//                            visible pixel, outlines included, is another colour
//   cell X Y W H [name]      followed by H rows of W letters, painted at X, Y
//   tilt X Y from SX SY size W H turn P/Q about CX CY
//                            the W by H picture at SX, SY turned about its
//                            pixel CX, CY by the angle whose tangent is P/Q
//                            (P > 0 lifts the right-hand side), painted at X, Y
//   patch X Y W H            followed by H rows of W letters that touch up a
//                            picture painted before (a turned one, say): '.'
//                            keeps a pixel, '-' makes it transparent
//   outline X Y W H C        every transparent pixel next to a visible one
//                            (left, right, above, below) in the rectangle
//                            becomes colour C
//   shading W H              followed by H rows of tones: w glint, l light,
//                            o the main colour itself, s shade, d dark
//   ball X Y R G B [name]    the shading painted in tones of main colour R G B
//
// Each painted rectangle must lie inside the picture and may not overlap one
// painted before, so a misplaced cell is an error instead of a silent mess.
#pragma once

#include "canvas.h"

#include <string>
#include <vector>

namespace artgen {

struct Rect {
    int x, y, w, h;
};

// The rectangles painted so far on one picture.
struct PaintedAreas {
    std::vector<Rect> rects;
};

// Runs the directives of the source file at `path` on `canvas`.
void paintSourceFile(const std::string& path, Canvas& canvas, PaintedAreas& painted);

// The same for source text already in memory; `name` is used in messages.
void paintSourceText(const std::string& text, const std::string& name, Canvas& canvas,
                     PaintedAreas& painted);

std::string readTextFile(const std::string& path);

} // namespace artgen
