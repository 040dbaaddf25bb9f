// Interrupting a windowless run: Ctrl+C, Ctrl+Break and closing the console
// on Windows; SIGINT, SIGTERM and SIGHUP elsewhere. The first stops the run
// between exchanges (link/interruption.h), so that it gives its port back and
// ends with EXIT_INTERRUPTED; a second ends it at once, with the same code.
#ifndef PADCONFIG_CLI_INTERRUPTION_H
#define PADCONFIG_CLI_INTERRUPTION_H

void CatchInterruptions(void);

#endif
