// The message queue on the page. Input events are handled as they come
// (webplatform::deliverInput), so only what the program posted ever waits.
#include "menubar/window.h"
#include "platform/message_queue.h"

namespace platform {

int peekMessage(Message& message) {
    if (takePostedMessage(message)) {
        menubar::noteFetched(message);
        return 1;
    }
    return 0;
}

// The page's one thread may not wait: nothing could arrive while it did.
// An empty queue therefore reads as the end, as it does on the desktop
// once the window is gone.
int getMessage(Message& message) {
    if (peekMessage(message) == 0) {
        message = Message{};
        message.kind = MessageKind::Quit;
    }
    return message.kind == MessageKind::Quit ? 0 : 1;
}

} // namespace platform
