// The game's program on a page: the host started, then the browser's
// animation frames drive it. Shared by the page and the browser test's
// probe page.
#pragma once

#include "platform/platform.h"

namespace webplatform {

// Returns at once (the page keeps running): 0, or the exit code of a
// start-up that failed, which the page then reports.
int runPage(const platform::Module& module);

} // namespace webplatform
