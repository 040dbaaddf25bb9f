#include "interruption.h"

#include <csignal>

static volatile std::sig_atomic_t interruptions;

int InterruptLink(void) { return interruptions = interruptions + 1; }

bool LinkInterrupted(void) { return interruptions != 0; }
