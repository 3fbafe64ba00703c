// The blocking driver over the host's steps, for platforms whose program
// owns its thread: every waiting message first, a frame tick whenever the
// queue is empty, and only messages while a menu holds the frames.
#include "shell/host.h"

namespace shell {

bool framesRunning() {
    return host.framesRunning != 0;
}

void handleMessage(const platform::Message& message) {
    if (platform::translateAccelerator(message) == 0) {
        platform::dispatchMessage(message);
    }
}

int messageLoopStep(platform::Message& message) {
    const int fetched =
        host.framesRunning == 1 ? platform::peekMessage(message) : platform::getMessage(message);
    if (fetched != 0) {
        handleMessage(message);
    } else {
        frameTick();
    }
    return message.kind == platform::MessageKind::Quit ? 0 : 1;
}

int runMessageLoop() {
    platform::Message message;
    while (messageLoopStep(message) != 0) {
    }
    return message.code;
}

} // namespace shell
