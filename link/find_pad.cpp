#include "find_pad.h"

#include "port_map.h"
#include "protocol.h"
#include "serial_link.h"

// A port that fails the handshake is sent nothing more; any port is closed
// before the next is tried.
static bool AnswersAsPad(int number, int* portInUse) {
    OpenResult result = OpenPortLink(number);
    if (result == PORT_IN_USE && !*portInUse) *portInUse = number;
    if (result != PORT_READY) return false;
    DrainInput();
    bool pad = QueryValue(CMD_PROBE) == PROBE_READY;
    CloseLink();
    return pad;
}

int FindPad(int* portInUse) {
    int inUse = 0;
    if (!portInUse) portInUse = &inUse;
    *portInUse = 0;
    CloseLink();
    LinkState = LINK_CLOSED;
    int numbers[PORT_NUMBER_MAX], count = ReadPortMap(numbers);
    for (int i = 0; i < count; i++) {
        if (AnswersAsPad(numbers[i], portInUse)) return numbers[i];
        AnswerSentMessages();  // many silent ports take long
    }
    return 0;
}
