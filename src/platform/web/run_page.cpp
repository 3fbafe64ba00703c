#include "platform/web/run_page.h"

#include "platform/web/page.h"
#include "shell/animation_driver.h"
#include "shell/host.h"

namespace {

bool animationFrame() {
    const bool more = shell::animationFrame(
        shell::PageState{webplatform::pageHidden(), webplatform::messageBoxOpen()});
    if (shell::ended()) {
        webplatform::showEnded(shell::exitCode());
    }
    return more;
}

} // namespace

namespace webplatform {

int runPage(const platform::Module& module) {
    const int failed = shell::startUp(module);
    if (failed != 0) {
        showFailure(failed);
        return failed;
    }
    shell::beginFrames();
    runAnimationFrames(animationFrame);
    return 0;
}

} // namespace webplatform
