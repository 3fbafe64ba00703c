// The blitter written the slow, obvious way: one source pixel at a time.
// The blitter tests and the fuzzer compare gfx::blit with it, so a faster
// blitter must agree with this one on every request, edge cases included.
#pragma once

#include "gfx/blit.h"
#include "gfx/image.h"

namespace testsupport {

void referenceBlit(const gfx::BlitRequest& request, const gfx::Image& sheet, int alpha);

} // namespace testsupport
