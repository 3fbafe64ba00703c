// The page's input: its events wait here, in order, until the drawn
// window takes them at the next animation frame.
#include "platform/web/internal.h"

namespace {

using platform::Message;
using platform::MessageKind;

constexpr int CAPACITY = 128;

Message waiting[CAPACITY];
int head = 0;
int count = 0;

} // namespace

namespace webplatform {

void queueInput(const Message& message) {
    if (ended()) {
        return;
    }
    // A move of the mouse only says where it is now.
    if (message.kind == MessageKind::MouseMove && count > 0) {
        Message& last = waiting[(head + count - 1) % CAPACITY];
        if (last.kind == MessageKind::MouseMove) {
            last = message;
            return;
        }
    }
    // Each animation frame takes them all: a full queue would take far more
    // than a frame's worth of keys.
    if (count == CAPACITY) {
        return;
    }
    waiting[(head + count) % CAPACITY] = message;
    ++count;
}

bool takeInput(Message& message) {
    if (count == 0) {
        return false;
    }
    message = waiting[head];
    head = (head + 1) % CAPACITY;
    --count;
    return true;
}

} // namespace webplatform
