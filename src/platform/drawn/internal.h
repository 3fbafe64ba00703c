// What the drawn window's files share.
#pragma once

#include "platform/drawn/window.h"

namespace drawn {

struct State {
    Hooks hooks;
    platform::WindowClass windowClass;
    bool registered;
    bool open; // from createWindow until destroyWindow
    bool destroying;
    const res::AcceleratorResource* accelerators;
};

extern State state;

// Sends the window's procedure a message of `kind`, while it is open.
void sendToWindow(platform::MessageKind kind);

// Redraws the menu picture and shows it (the menu changed).
void refreshMenu();

// A message from the platform's own source that the window answers
// itself (Alt+Enter, F11 and F12 in fullscreen, a click along the top of
// a fullscreen window); returns true when nothing else may see it.
bool windowKeyOrClick(platform::Message& message);

// A command chosen from the menu: the size commands leave fullscreen
// before the window procedure runs them.
void leaveFullscreenFor(const platform::Message& command);

// Alt took part in a shortcut of the window's own, so its release must
// not open the menu bar.
void altUsedForShortcut();

} // namespace drawn
