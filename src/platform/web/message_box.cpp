// The message box: an in-page modal dialog (web/page.js). The page's
// thread cannot wait for the OK, so the frame driver holds the frames for
// as long as a message is shown or waits to be, as a desktop box holds
// the program.
#include "platform/web/page.h"

extern "C" {
void sorvi_show_message(const char* text, const char* caption);
int sorvi_message_open();
}

namespace webplatform {

bool messageBoxOpen() {
    return sorvi_message_open() != 0;
}

} // namespace webplatform

namespace platform {

void showMessageBox(const char* text, const char* caption) {
    sorvi_show_message(text, caption);
}

} // namespace platform
