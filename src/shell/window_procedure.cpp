#include "shell/window_procedure.h"

#include "game/flow.h"
#include "shell/host.h"

namespace shell {

using platform::Message;
using platform::MessageKind;

void destroyWindow() {
    platform::destroyWindow();
}

void applyCheckMarks(platform::MenuHandle popup) {
    platform::checkMenuItem(popup, res::CMD_SHOW_FPS, host.showFps != 0);
    platform::checkMenuItem(popup, res::CMD_NO_WAIT, host.frameWait == 0);
    platform::checkMenuItem(popup, res::CMD_SIZE_NORMAL, host.sizeMode == 1);
    platform::checkMenuItem(popup, res::CMD_SIZE_DOUBLE, host.sizeMode == 2);
}

void runCommand(int id) {
    switch (id) {
    case res::CMD_EXIT:
        destroyWindow();
        return;
    case res::CMD_SIZE_NORMAL:
        if (host.sizeMode != 1) {
            host.sizeMode = 1;
            host.clientWidth = platform::FRAME_WIDTH;
            host.clientHeight = platform::FRAME_HEIGHT;
            fitWindowToClient();
        }
        return;
    case res::CMD_SIZE_DOUBLE:
        if (host.sizeMode != 2) {
            host.sizeMode = 2;
            host.clientWidth = 2 * platform::FRAME_WIDTH;
            host.clientHeight = 2 * platform::FRAME_HEIGHT;
            fitWindowToClient();
        }
        return;
    case res::CMD_NO_WAIT:
        host.frameWait = host.frameWait == 0 ? 1 : 0;
        return;
    case res::CMD_SHOW_FPS:
        host.showFps = host.showFps == 0 ? 1 : 0;
        return;
    case res::CMD_RESET:
        game::requestReset();
        return;
    default:
        return;
    }
}

std::intptr_t windowProcedure(const Message& message) {
    switch (message.kind) {
    case MessageKind::Destroy:
        destroyHost();
        platform::postQuitMessage(0);
        return 0;
    case MessageKind::Paint:
        // Nothing to draw: frames paint the window.
        platform::validateWindow();
        return platform::defaultWindowProcedure(message);
    case MessageKind::Close:
        destroyWindow();
        return 0;
    case MessageKind::Command:
        runCommand(message.code & 0xFFFF);
        return platform::defaultWindowProcedure(message);
    case MessageKind::InitMenuPopup:
        applyCheckMarks(message.popup);
        return platform::defaultWindowProcedure(message);
    case MessageKind::EnterMenuLoop:
        host.framesRunning = 0;
        return platform::defaultWindowProcedure(message);
    case MessageKind::ExitMenuLoop:
        host.framesRunning = 1;
        return platform::defaultWindowProcedure(message);
    case MessageKind::DeviceChange:
        game::redetectJoystick();
        return platform::defaultWindowProcedure(message);
    default:
        return platform::defaultWindowProcedure(message);
    }
}

} // namespace shell
