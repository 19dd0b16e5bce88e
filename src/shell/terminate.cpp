#include "shell/terminate.h"

#include <allegro.h>

#include <pthread.h>
#include <signal.h>

#include <csignal>
#include <cstdlib>

#include "shell/record.h"

namespace {

volatile std::sig_atomic_t arrived = 0;

extern "C" void note(int sig) {
    arrived = sig;
}

sigset_t termination() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

}  // namespace

void holdtermination() {
    const sigset_t set = termination();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void catchtermination() {
    std::signal(SIGTERM, note);
    std::signal(SIGINT, note);
    const sigset_t set = termination();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

bool terminationrequested() {
    return arrived != 0;
}

void endbysignal() {
    const int sig = arrived;
    finishrecording();
    allegro_exit();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
    std::_Exit(128 + sig);
}
