// A GUI program has no console of its own, so a windowless run writes to the
// one it was started from, or to where its output was sent.
#ifndef PADCONFIG_ATTACH_CONSOLE_H
#define PADCONFIG_ATTACH_CONSOLE_H

// Standard output and error, each as the parent gave it when it leads
// somewhere, else the parent's console; a stream that leads nowhere stays so,
// and what is written to it is lost.
void AttachToConsole(void);
// Standard error leads somewhere: bad arguments go there rather than to a box.
bool HasConsole(void);

#endif
