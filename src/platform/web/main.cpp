// The game's web page.
#include "platform/web/run_page.h"

int main() {
    return webplatform::runPage(platform::programModule());
}
