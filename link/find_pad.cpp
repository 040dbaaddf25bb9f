#include "find_pad.h"

#include "port_map.h"
#include "protocol.h"
#include "serial_link.h"

// A port that fails the handshake is sent nothing more; any port is closed
// before the next is tried, and one where no pad answered is given back with
// the settings it had. Bluetooth links are not tried: they stay choosable.
static bool AnswersAsPad(int number, int* portInUse) {
    if (IsBluetoothPort(number)) return false;
    OpenResult result = OpenPortLink(number, true);
    if (result == PORT_IN_USE && !*portInUse) *portInUse = number;
    if (result != PORT_READY) return false;
    DrainInput();
    bool pad = QueryValue(CMD_PROBE) == PROBE_READY;
    pad ? CloseLink() : GiveBackPort();
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
