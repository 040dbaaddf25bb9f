// Finding the pad among the machine's ports.
#ifndef PADCONFIG_FIND_PAD_H
#define PADCONFIG_FIND_PAD_H

#include "serial_port.h"

// Runs on a port whose device passed the handshake and the probe, with the
// link open on it; true ends the walk there.
typedef bool (*PadVisit)(const char* name, void* context);

// The first port of a search that another program held, or that the user
// may not open: perhaps the pad's.
struct RefusedPort {
    char name[PORT_PATH_SIZE];  // "" when no port was refused
    OpenResult why;             // PORT_IN_USE or PORT_DENIED
};

// Tries the system's search ports (search_ports.h) in turn and visits each pad;
// copies into found (PORT_PATH_SIZE bytes) the port where a visit ended the
// walk, else "". Every port is closed again, the link too. An interrupted run
// tries no further port.
bool VisitPads(PadVisit visit, void* context, char* found, RefusedPort* refused = nullptr);

// The first port whose device passes the handshake and the probe, into name
// (PORT_PATH_SIZE bytes); false when there is none.
bool FindPad(char* name, RefusedPort* refused = nullptr);

#endif
