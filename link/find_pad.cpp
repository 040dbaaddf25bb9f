#include "find_pad.h"

#include "port_map.h"
#include "protocol.h"
#include "serial_link.h"

// A port that fails the handshake is sent nothing more, and one where no pad
// answered is given back with the settings it had; a pad's port stays open for
// the visit.
static bool AnswersAsPad(int number, int* portInUse) {
    OpenResult result = OpenPortLink(number, true);
    if (result == PORT_IN_USE && !*portInUse) *portInUse = number;
    if (result != PORT_READY) return false;
    if (PadIsReady()) return true;
    GiveBackPort();
    return false;
}

// The map's ports, Bluetooth links left out; any port is closed before the
// next is tried.
int VisitPads(PadVisit visit, void* context, int* portInUse) {
    int inUse = 0;
    if (!portInUse) portInUse = &inUse;
    *portInUse = 0;
    CloseLink();
    LinkState = LINK_CLOSED;
    int numbers[PORT_NUMBER_MAX], count = ReadPortMap(numbers, true);
    for (int i = 0; i < count; i++) {
        bool chosen = AnswersAsPad(numbers[i], portInUse) && visit(numbers[i], context);
        CloseLink();
        if (chosen) return numbers[i];
        AnswerSentMessages();  // many silent ports take long
    }
    return 0;
}

static bool TheFirst(int, void*) { return true; }

int FindPad(int* portInUse) { return VisitPads(TheFirst, nullptr, portInUse); }
