// Closing the link, or giving its port back: what a failed exchange, a
// search and every caller's end share.
#include "serial_link.h"
#include "transcript.h"

// Safe to call any number of times.
static void ReleaseLinkPort(bool giveBack) {
    if (LinkState == LINK_OPEN && linkPort) {
        if (watchLinkPort) watchLinkPort(nullptr);
        giveBack ? GiveBackSerialPort(linkPort) : CloseSerialPort(linkPort);
        RecordNote("port closed");
    } else {
        CloseSerialPort(linkPort);
    }
    linkPort = nullptr;
    if (LinkState == LINK_OPEN) LinkState = LINK_CLOSED;
}

void CloseLink(void) { ReleaseLinkPort(false); }

void GiveBackPort(void) { ReleaseLinkPort(true); }
