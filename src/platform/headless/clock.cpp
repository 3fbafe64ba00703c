#include "platform/headless/headless.h"
#include "platform/headless/internal.h"

namespace {
std::uint32_t now = 0;
std::uint32_t calendar = 0;
int sleeps = 0;
std::uint32_t lastSleepLength = 0;
} // namespace

namespace platform {

std::uint32_t millisecondClock() {
    return now;
}

void sleepMilliseconds(std::uint32_t milliseconds) {
    ++sleeps;
    lastSleepLength = milliseconds;
    now += milliseconds;
}

std::uint32_t calendarSeconds() {
    return calendar;
}

} // namespace platform

namespace headless {

void setClock(std::uint32_t milliseconds) {
    now = milliseconds;
}
void setCalendarSeconds(std::uint32_t seconds) {
    calendar = seconds;
}
int sleepCalls() {
    return sleeps;
}
std::uint32_t lastSleep() {
    return lastSleepLength;
}

void resetClock() {
    now = 0;
    calendar = 0;
    sleeps = 0;
    lastSleepLength = 0;
}

} // namespace headless
