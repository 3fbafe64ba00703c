// The window procedure: the host's answer to each window message, the menu
// commands and the check marks.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace shell {

std::intptr_t windowProcedure(const platform::Message& message);

// Destroys the window: the procedure gets the destroy message, which tears
// the host down and posts the quit message. Later calls do nothing.
void destroyWindow();

void runCommand(int id);

// The four check marks on `popup`, in their fixed order.
void applyCheckMarks(platform::MenuHandle popup);

} // namespace shell
