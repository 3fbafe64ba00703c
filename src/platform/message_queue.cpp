#include "platform/message_queue.h"

namespace platform {
namespace {

constexpr int CAPACITY = 64;

Message queue[CAPACITY];
int head = 0;
int count = 0;
// Quit waits outside the queue, so a full queue cannot lose it.
bool quitPosted = false;
int quitCode = 0;

} // namespace

void postMessage(const Message& message) {
    if (message.kind == MessageKind::Quit) {
        postQuitMessage(message.code);
        return;
    }
    if (count < CAPACITY) {
        queue[(head + count) % CAPACITY] = message;
        ++count;
    }
}

void postQuitMessage(int exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}

bool takePostedMessage(Message& out) {
    if (count > 0) {
        out = queue[head];
        head = (head + 1) % CAPACITY;
        --count;
        return true;
    }
    if (quitPosted) {
        quitPosted = false;
        out = quitMessage(quitCode);
        return true;
    }
    return false;
}

void clearPostedMessages() {
    head = 0;
    count = 0;
    quitPosted = false;
    quitCode = 0;
}

} // namespace platform
