#include "platform/core/TerminationSignal.h"

#include <atomic>
#include <csignal>

namespace platform {

namespace {

std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void NoteTermination(int) { requested.store(true, std::memory_order_relaxed); }

}  // namespace

void CatchTerminationSignals() {
    struct sigaction action {};
    action.sa_handler = NoteTermination;
    sigemptyset(&action.sa_mask);
    // Calls the signal interrupts carry on: the quit runs in the ordinary flow.
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction previous {};
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
}

bool TerminationRequested() { return requested.load(std::memory_order_relaxed); }

}  // namespace platform
