// The multimedia timer's millisecond clock and the alertable sleep; the
// entry sets the timer's resolution to 1 ms so that both keep a 30 ms frame.
#include "platform/win32/internal.h"

#include <mmsystem.h>

#include <ctime>

namespace platform {

std::uint32_t millisecondClock() {
    return static_cast<std::uint32_t>(timeGetTime());
}

void sleepMilliseconds(std::uint32_t milliseconds) {
    SleepEx(static_cast<DWORD>(milliseconds), TRUE);
}

std::uint32_t calendarSeconds() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace platform
