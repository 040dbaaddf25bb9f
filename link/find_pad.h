// Finding the pad among the machine's ports.
#ifndef PADCONFIG_FIND_PAD_H
#define PADCONFIG_FIND_PAD_H

#include "serial_port.h"

// Runs on a port whose device passed the handshake and the probe, with the
// link open on it; true ends the walk there.
typedef bool (*PadVisit)(const char* name, void* context);
// Tries the system's search ports (search_ports.h) in turn and visits each pad;
// copies into found the port where a visit ended the walk, else "". Every
// port is closed again, the link too. portInUse, when given, gets the first
// port that another program held, or "". Both hold PORT_PATH_SIZE bytes.
bool VisitPads(PadVisit visit, void* context, char* found, char* portInUse = nullptr);

// The first port whose device passes the handshake and the probe, into name
// (PORT_PATH_SIZE bytes); false when there is none.
bool FindPad(char* name, char* portInUse = nullptr);

#endif
