#include "Interrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t interruptRequested = 0;
struct sigaction previousAction;

void onInterrupt(int)
{
    interruptRequested = 1;
    // Let the next Ctrl-C stop the process if the work does not reach a checkpoint.
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

Interrupt::Interrupt()
{
    interruptRequested = 0;
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousAction);
}

Interrupt::~Interrupt()
{
    sigaction(SIGINT, &previousAction, nullptr);
}

bool Interrupt::requested()
{
    return interruptRequested != 0;
}
