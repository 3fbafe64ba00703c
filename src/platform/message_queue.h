// The queue of posted messages, for the platforms that keep their own
// (Windows posts to its real one).
#pragma once

#include "platform/platform.h"

namespace platform {

// The oldest posted message; once none is left, the quit message if one
// was posted. Returns false when there is nothing.
bool takePostedMessage(Message& out);

// Empties the queue and forgets a posted quit.
void clearPostedMessages();

} // namespace platform
