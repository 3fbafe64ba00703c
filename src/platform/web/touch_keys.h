// The page's touch buttons: which key each presses, and which keys are
// down while fingers rest on them. A key is down while at least one finger
// is on its button; a finger that slides onto another button lets go of
// the first key and presses the next. Plain logic, no browser in it, so
// the native tests check it.
#pragma once

#include "platform/keys.h"

namespace webplatform {

// Each button by its name on the page, and the key it presses.
struct TouchButton {
    const char* name;
    int key;
};

constexpr TouchButton TOUCH_BUTTONS[] = {
    {"Up", platform::KEY_UP},       {"Down", platform::KEY_DOWN},    {"Left", platform::KEY_LEFT},
    {"Right", platform::KEY_RIGHT}, {"Enter", platform::KEY_RETURN}, {"Shift", platform::KEY_SHIFT},
    {"Space", platform::KEY_SPACE}, {"Menu", platform::KEY_F10},
};

// Fingers (or a mouse) on the buttons: each pointer and the key it holds.
// Pointers beyond MAX_TOUCHES press nothing.
constexpr int MAX_TOUCHES = 10;

struct Touches {
    int pointer[MAX_TOUCHES];
    int key[MAX_TOUCHES]; // 0: on no button
    int count;
};

// What a touch did to the keys: releases first, then a press.
struct KeyChange {
    int key;
    bool down;
};

struct KeyChanges {
    KeyChange change[MAX_TOUCHES + 1];
    int count;
};

// Pointer `pointer` is now on the button of `key`; 0, or a key of no
// button, for none.
KeyChanges touchMoved(Touches& touches, int pointer, int key);
// Pointer `pointer` was lifted or cancelled.
KeyChanges touchEnded(Touches& touches, int pointer);
// Every pointer is gone (the page lost the keyboard, was hidden, or the
// buttons went away).
KeyChanges touchesEnded(Touches& touches);

} // namespace webplatform
