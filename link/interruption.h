// A run asked to stop (Ctrl+C, closing the console, a signal): the link
// finishes the exchange under way and starts no other, so that the pad never
// gets half a command and a probed port is given back as usual.
#ifndef PADCONFIG_INTERRUPTION_H
#define PADCONFIG_INTERRUPTION_H

// Safe to call from a signal handler or another thread. Returns how many
// times the run has been asked, this time included.
int InterruptLink(void);
// True once the run has been asked to stop.
bool LinkInterrupted(void);

#endif
