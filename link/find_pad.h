// Finding the pad among the machine's ports.
#ifndef PADCONFIG_FIND_PAD_H
#define PADCONFIG_FIND_PAD_H

// Runs on a port whose device passed the handshake and the probe, with the
// link open on it; true ends the walk there.
typedef bool (*PadVisit)(int number, void* context);
// Tries the ports of the serial device map in turn and visits each pad; returns
// the port where a visit ended the walk, or 0. Every port is closed again, the
// link too. portInUse, when given, gets the first port that another program
// held, or 0.
int VisitPads(PadVisit visit, void* context, int* portInUse = nullptr);

// The first port whose device passes the handshake and the probe, or 0.
int FindPad(int* portInUse = nullptr);

#endif
