// Signals that ask a run to stop. No SA_RESTART: a wait in progress returns
// early, and the run reaches its next exchange sooner.
#include <signal.h>
#include <unistd.h>

#include "../../link/interruption.h"
#include "../../link/serial_port.h"
#include "../interruption.h"
#include "../run_command.h"

static void OnSignal(int) {
    if (InterruptLink() < 2) return;
    DropClaimAtOnce();  // a device left exclusive would refuse every later run
    _exit(EXIT_INTERRUPTED);
}

void CatchInterruptions(void) {
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}
