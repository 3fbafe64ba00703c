#pragma once

#include "bmp_writer.h"

namespace artgen {

IndexedPicture placeholderSprites();  // 256 by 160, resource 103
IndexedPicture placeholderBackdrop(); // 320 by 240, resource 105
IndexedPicture placeholderIcon();     // 32 by 32, 16 colours, resource 106

} // namespace artgen
