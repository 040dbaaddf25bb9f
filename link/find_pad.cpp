#include "find_pad.h"

#include <cstring>

#include "clock.h"
#include "search_ports.h"
#include "protocol.h"
#include "serial_link.h"

static PortList ports;

// A port that fails the handshake is sent nothing more, and one where no pad
// answered is given back with the settings it had; a pad's port stays open for
// the visit.
static bool AnswersAsPad(const char* name, char* portInUse) {
    OpenResult result = OpenPortLink(name, true);
    if (result == PORT_IN_USE && !*portInUse) strcpy(portInUse, name);
    if (result != PORT_READY) return false;
    if (PadIsReady()) return true;
    GiveBackPort();
    return false;
}

// Any port is closed before the next is tried.
bool VisitPads(PadVisit visit, void* context, char* found, char* portInUse) {
    char inUse[PORT_PATH_SIZE];
    if (!portInUse) portInUse = inUse;
    *portInUse = *found = 0;
    CloseLink();
    LinkState = LINK_CLOSED;
    ListSearchPorts(&ports);
    for (int i = 0; i < ports.count; i++) {
        bool chosen = AnswersAsPad(ports.names[i], portInUse) && visit(ports.names[i], context);
        CloseLink();
        if (chosen) return strcpy(found, ports.names[i]), true;
        AnswerWhileWaiting();  // many silent ports take long
    }
    return false;
}

static bool TheFirst(const char*, void*) { return true; }

bool FindPad(char* name, char* portInUse) { return VisitPads(TheFirst, nullptr, name, portInUse); }
