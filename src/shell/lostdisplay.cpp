#include "shell/lostdisplay.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> lost{false};

// Must not return. The game thread and the library's X thread may both
// meet the loss: the first says so and ends the process, the other waits
// for that end, so there is one line and no exit handler runs.
int lostdisplay(Display*) {
    if (!lost.exchange(true)) {
        static const char line[] = "quellmarrow: lost the connection to the display\n";
        if (write(STDERR_FILENO, line, sizeof line - 1) < 0) {
        }
        _exit(1);
    }
    for (;;) pause();
}

}  // namespace

void catchlostdisplay() {
    XSetIOErrorHandler(lostdisplay);
    // A write to the dead connection would end the game by SIGPIPE before
    // Xlib could call the handler.
    std::signal(SIGPIPE, SIG_IGN);
}
