// The Windows program's entry: the host shell on the Win32 platform.
#include "platform/win32/internal.h"
#include "shell/host.h"

#include <mmsystem.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The multimedia timer at 1 ms, so that a frame's sleep ends on time.
    timeBeginPeriod(1);
    const int code = shell::runProgram(platform::programModule());
    timeEndPeriod(1);
    return code;
}
