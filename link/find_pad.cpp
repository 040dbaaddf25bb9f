#include "find_pad.h"

#include <cstring>

#include "clock.h"
#include "interruption.h"
#include "search_ports.h"
#include "protocol.h"
#include "serial_link.h"

static PortList ports;

// A port that fails the handshake is sent nothing more, and one where no pad
// answered is given back with the settings it had; a pad's port stays open for
// the visit.
static bool AnswersAsPad(const char* name, RefusedPort* refused) {
    OpenResult result = OpenPortLink(name, true);
    if ((result == PORT_IN_USE || result == PORT_DENIED) && !*refused->name)
        strcpy(refused->name, name), refused->why = result;
    if (result != PORT_READY) return false;
    if (PadIsReady()) return true;
    GiveBackPort();
    return false;
}

// Any port is closed before the next is tried.
bool VisitPads(PadVisit visit, void* context, char* found, RefusedPort* refused) {
    RefusedPort ignored;
    if (!refused) refused = &ignored;
    *refused->name = *found = 0;
    CloseLink();
    LinkState = LINK_CLOSED;
    ListSearchPorts(&ports);
    for (int i = 0; i < ports.count && !LinkInterrupted(); i++) {
        bool chosen = AnswersAsPad(ports.names[i], refused) && visit(ports.names[i], context);
        CloseLink();
        if (chosen) return strcpy(found, ports.names[i]), true;
        AnswerWhileWaiting();  // many silent ports take long
    }
    return false;
}

static bool TheFirst(const char*, void*) { return true; }

bool FindPad(char* name, RefusedPort* refused) { return VisitPads(TheFirst, nullptr, name, refused); }
