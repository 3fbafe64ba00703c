// The game's web page.
#include "platform/web/internal.h"

int main() {
    return webplatform::runPage(platform::programModule());
}
