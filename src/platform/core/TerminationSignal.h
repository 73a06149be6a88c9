#pragma once

namespace platform {

// SIGTERM, SIGINT and SIGHUP end the program through its ordinary quit: the
// handler only notes the signal, and the window's event loops, the main loop and
// every modal one, ask for it. A signal the program was started with ignored
// (nohup) stays ignored.
void CatchTerminationSignals();
// Whether one of them has arrived.
bool TerminationRequested();

}  // namespace platform
