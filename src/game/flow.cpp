#include "game/flow.h"

#include "game/field.h"
#include "game/random.h"
#include "game/screens.h"
#include "game/values.h"
#include "game/witch.h"
#include "gfx/backdrop.h"
#include "gfx/images.h"
#include "input/controls.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/pads.h"

#include <cstring>

namespace game {

int gameInit(const platform::Module& module) {
    seedRandom(platform::calendarSeconds());
    std::memset(input::KeyEdgeTable, 0, sizeof input::KeyEdgeTable);
    gfx::loadImages(module);
    if (input::initJoystick() != 0) {
        playerSlots[0].scheme = input::Joystick;
    }
    return 1;
}

int gameFrame(gfx::FramebufferSurface& surface) {
    input::takeKeyboardSnapshot();
    input::takePadSnapshot();
    switch (gameState) {
    case Title:
        return titleStep(surface);
    case Setup:
        return setupStep(surface);
    case Play:
        return playStep(surface);
    case GameOver:
        return gameOverStep(surface);
    case Magic:
        return magicStep(surface);
    case Reset:
        return resetStep();
    default:
        return 1;
    }
}

void redetectJoystick() {
    const bool hadOne = input::joystickCount != 0;
    // Still on the title screen, a joystick that was not there before is
    // player 1's, as one found at start is.
    if (input::initJoystick() != 0 && !hadOne && gameState == Title) {
        playerSlots[0].scheme = input::Joystick;
    }
}

void requestReset() {
    gameState = Reset;
}

void resetToProgramStart() {
    resetGameValues();
    resetField();
    for (Witch& w : witches) {
        w = Witch{};
    }
    randomSeed = 0;
    input::resetInput();
    gfx::backdropOffset = 0;
}

} // namespace game
