// The scrolling backdrop: a cloudy night sky drawn from seeded noise.
//
// The sky's settings are a text file of lines "name value...":
//
//   seed N                 the noise's seed
//   ramp LEVEL R G B       a key of the colour ramp (levels 0 .. 255, the first
//                          key at 0 and the last at 255); the palette is the ramp
//   octave XS YS WEIGHT    one layer of noise with lattice spacing XS by YS
//                          pixels; XS divides the width, so the noise, and with
//                          it the picture, wraps around horizontally
//   sky TOP BOTTOM         ramp level of the clear sky at the top and bottom row
//   cover TOP BOTTOM       noise value (0 .. 1000) above which cloud begins, at
//                          the top and at the bottom row
//   softness S             noise span (0 .. 1000) over which cloud thickens fully
//   clouds LEVELS          ramp levels that a full cloud adds to the sky
//   light REACH EDGE BUMPS moonlight from above, comparing each pixel with the
//                          one REACH rows higher up: cloud tops gain and
//                          undersides lose up to EDGE levels, and inside the
//                          cloud every 100 of noise rising gains BUMPS levels
//   specks COUNT LEVEL     faint far stars in the clear sky
//
// Everything is integer arithmetic, so every build makes the same bytes.
#pragma once

#include "bmp_writer.h"

#include <string>

namespace artgen {

constexpr int SKY_WIDTH = 320;
constexpr int SKY_HEIGHT = 240;

// Builds the 320 by 240 picture from the settings text; `name` is used in
// messages. Throws ArtError on a fault in the settings.
IndexedPicture makeNightSky(const std::string& settings, const std::string& name);

} // namespace artgen
