#include "platform/web/touch_keys.h"

namespace webplatform {
namespace {

bool buttonKey(int key) {
    for (const TouchButton& b : TOUCH_BUTTONS) {
        if (b.key == key) {
            return true;
        }
    }
    return false;
}

int find(const Touches& touches, int pointer) {
    for (int i = 0; i < touches.count; ++i) {
        if (touches.pointer[i] == pointer) {
            return i;
        }
    }
    return -1;
}

bool held(const Touches& touches, int key) {
    for (int i = 0; i < touches.count; ++i) {
        if (touches.key[i] == key) {
            return true;
        }
    }
    return false;
}

void add(KeyChanges& out, int key, bool down) {
    out.change[out.count++] = KeyChange{key, down};
}

// Pointer `at` lets go of its key; released once no other pointer holds it.
void letGo(Touches& touches, int at, KeyChanges& out) {
    const int key = touches.key[at];
    touches.key[at] = 0;
    if (key != 0 && !held(touches, key)) {
        add(out, key, false);
    }
}

void forget(Touches& touches, int at) {
    --touches.count;
    touches.pointer[at] = touches.pointer[touches.count];
    touches.key[at] = touches.key[touches.count];
}

} // namespace

KeyChanges touchMoved(Touches& touches, int pointer, int key) {
    KeyChanges out{};
    if (!buttonKey(key)) {
        key = 0;
    }
    int at = find(touches, pointer);
    if (at < 0) {
        if (key == 0 || touches.count == MAX_TOUCHES) {
            return out;
        }
        at = touches.count++;
        touches.pointer[at] = pointer;
        touches.key[at] = 0;
    }
    if (touches.key[at] == key) {
        return out;
    }
    letGo(touches, at, out);
    if (key != 0 && !held(touches, key)) {
        add(out, key, true);
    }
    touches.key[at] = key;
    return out;
}

KeyChanges touchEnded(Touches& touches, int pointer) {
    KeyChanges out{};
    if (const int at = find(touches, pointer); at >= 0) {
        letGo(touches, at, out);
        forget(touches, at);
    }
    return out;
}

KeyChanges touchesEnded(Touches& touches) {
    KeyChanges out{};
    while (touches.count > 0) {
        letGo(touches, touches.count - 1, out);
        --touches.count;
    }
    return out;
}

} // namespace webplatform
