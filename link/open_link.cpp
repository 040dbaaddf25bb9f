// Opening a port for the link, and its handshake.
#include <cstdio>
#include <cstring>

#include "clock.h"
#include "interruption.h"
#include "port_io.h"
#include "serial_link.h"
#include "transcript.h"

bool SetReadTimeouts(unsigned intervalMs, unsigned totalMs) {
    return linkPort && SetSerialTimeouts(linkPort, intervalMs, totalMs);
}

// Two lone carriage returns. The buffer is cleared once, so that only this
// handshake's answers count; the second answer lands over the first, and a pad
// that answered only the first with "OK" still passes.
static bool Handshake(void) {
    memset(ackBuffer, 0, sizeof ackBuffer);
    if (LinkInterrupted()) return false;
    WriteCarriageReturn();
    ReadBytes(ackBuffer, sizeof ackBuffer);
    PauseMs(HANDSHAKE_PAUSE_MS);
    if (LinkInterrupted()) return false;
    WriteCarriageReturn();
    ReadBytes(ackBuffer, 4);
    PauseMs(HANDSHAKE_PAUSE_MS);
    return ackBuffer[0] == 'O' || ackBuffer[1] == 'K';
}

static void NoteOpening(const char* name, OpenResult result) {
    static const char* const outcomes[] = {"opened", "cannot be opened", "in use", "may not be opened"};
    char note[PORT_PATH_SIZE + 32];
    snprintf(note, sizeof note, "%s %s", name, outcomes[result]);
    RecordNote(note);
}

OpenResult OpenPortLink(const char* name, bool giveBack) {
    OpenResult result;
    linkPort = OpenSerialPort(name, true, &result);
    NoteOpening(name, result);
    if (result != PORT_READY) return result;
    LinkState = LINK_OPEN;
    if (watchLinkPort) watchLinkPort(linkPort);
    if (Handshake()) return PORT_READY;
    giveBack ? GiveBackPort() : CloseLink();
    RecordNote("no answer to the handshake");
    return NO_HANDSHAKE;
}
