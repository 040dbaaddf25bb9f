// Finding the pad among the machine's ports.
#ifndef PADCONFIG_FIND_PAD_H
#define PADCONFIG_FIND_PAD_H

// The first port of the serial device map whose device passes the handshake
// and the probe, or 0 when none does. Every port is closed again, the link too.
// portInUse, when given, gets the first port that another program held, or 0.
int FindPad(int* portInUse = nullptr);

#endif
