// Opening, configuring and handshaking a port by its number.
#include <cstdio>
#include <cstring>

#include "port_io.h"
#include "serial_link.h"
#include "transcript.h"

// A driver keeps line flags across opens: every flag that could garble or stop
// the pad's bytes is set here, whatever the last program left. Drivers refuse
// a record whose XON and XOFF characters are equal, or whose limits pass their
// queue, even with XON/XOFF off: some hand over both characters as 0.
void ApplyLineSettings(DCB* dcb, DWORD queue) {
    dcb->BaudRate = CBR_9600;
    dcb->fBinary = TRUE;
    dcb->fParity = FALSE;
    dcb->ByteSize = 8;
    dcb->Parity = NOPARITY;
    dcb->StopBits = ONESTOPBIT;
    dcb->fOutxCtsFlow = FALSE;
    dcb->fOutxDsrFlow = FALSE;
    dcb->fDtrControl = DTR_CONTROL_DISABLE;
    dcb->fRtsControl = RTS_CONTROL_DISABLE;
    dcb->fDsrSensitivity = FALSE;
    dcb->fTXContinueOnXoff = TRUE;
    dcb->fOutX = FALSE;
    dcb->fInX = FALSE;
    dcb->fErrorChar = FALSE;
    dcb->fNull = FALSE;
    dcb->fAbortOnError = FALSE;
    dcb->XonChar = 0x11;
    dcb->XoffChar = 0x13;
    if (queue > 0xFFFF) queue = 0xFFFF;
    dcb->XonLim = (WORD)(queue / 2);  // a driver that does not tell its queue gets 0, within any
    dcb->XoffLim = (WORD)(queue / 8);
}

// Time-outs too outlive the program that set them, so all five are set.
bool SetReadTimeouts(DWORD intervalMs, DWORD totalMs) {
    if (portHandle == INVALID_HANDLE_VALUE) return false;
    COMMTIMEOUTS timeouts = {intervalMs, 0, totalMs, 0, WRITE_TOTAL_MS};
    return SetCommTimeouts(portHandle, &timeouts) != FALSE;
}

// The line and time-outs as the port had them before this opening.
static DCB foundState;
static COMMTIMEOUTS foundTimeouts;
static bool timeoutsFound;

static DWORD ReceiveQueue(void) {
    COMMPROP properties;
    memset(&properties, 0, sizeof properties);
    if (!GetCommProperties(portHandle, &properties)) return 0;
    return properties.dwCurrentRxQueue ? properties.dwCurrentRxQueue : properties.dwMaxRxQueue;
}

// A driver may refuse the very record it handed over (XON equal to XOFF):
// then it gets that record with the flow characters and limits it took from us.
static void GiveBackLine(void) {
    if (SetCommState(portHandle, &foundState)) return;
    DCB back = foundState, ours = foundState;
    ApplyLineSettings(&ours, ReceiveQueue());
    back.XonChar = ours.XonChar, back.XoffChar = ours.XoffChar, back.XonLim = ours.XonLim, back.XoffLim = ours.XoffLim;
    SetCommState(portHandle, &back);
}

// A handle whose line state cannot be read is no port: Wine still opens a
// mapped COM name whose device has gone, and some virtual-port drivers report
// no character device. Settings that do not apply leave the line unusable.
static bool ConfigurePort(void) {
    DCB dcb;
    memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(portHandle, &dcb)) return false;
    foundState = dcb;
    timeoutsFound = GetCommTimeouts(portHandle, &foundTimeouts) != FALSE;
    ApplyLineSettings(&dcb, ReceiveQueue());
    if (!SetCommState(portHandle, &dcb) || !SetReadTimeouts(READ_INTERVAL_MS, READ_TOTAL_MS)) {
        GiveBackLine();  // a port refused is left as it was found
        return false;
    }
    ClearPortErrors();
    return true;
}

// Two lone carriage returns. The buffer is cleared once, so that only this
// handshake's answers count; the second answer lands over the first, and a pad
// that answered only the first with "OK" still passes.
static bool Handshake(void) {
    memset(ackBuffer, 0, sizeof ackBuffer);
    WriteCarriageReturn();
    ReadBytes(ackBuffer, sizeof ackBuffer);
    Sleep(HANDSHAKE_PAUSE_MS);
    WriteCarriageReturn();
    ReadBytes(ackBuffer, 4);
    Sleep(HANDSHAKE_PAUSE_MS);
    return ackBuffer[0] == 'O' || ackBuffer[1] == 'K';
}

// One process at a time on a port: Windows refuses a second open of a port,
// but Wine does not, so every opener also holds a named mutex for the port.
static HANDLE portClaim;

static void ReleaseClaim(void) {
    if (portClaim) CloseHandle(portClaim);
    portClaim = NULL;
}

static bool ClaimPort(int number) {
    ReleaseClaim();
    WCHAR name[40];
    wsprintfW(name, L"Local\\padconfig-COM%d", number);
    SetLastError(ERROR_SUCCESS);  // only an existing mutex sets it
    portClaim = CreateMutexW(NULL, FALSE, name);
    if (portClaim && GetLastError() != ERROR_ALREADY_EXISTS) return true;
    ReleaseClaim();
    return false;
}

static OpenResult OpenPort(int number) {
    if (number == 0) return PORT_UNUSABLE;
    if (!ClaimPort(number)) return PORT_IN_USE;
    char path[PORT_NAME_SIZE + 8];
    snprintf(path, sizeof path, "\\\\.\\COM%d", number);  // the \\.\ form opens COM10 and above too
    portHandle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (portHandle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        ReleaseClaim();
        return error == ERROR_ACCESS_DENIED ? PORT_IN_USE : PORT_UNUSABLE;  // another program holds it
    }
    if (ConfigurePort()) return PORT_READY;
    CloseHandle(portHandle);
    portHandle = INVALID_HANDLE_VALUE;
    ReleaseClaim();
    return PORT_UNUSABLE;
}

OpenResult OpenPortLink(int number, bool giveBack) {
    static const char* const outcomes[] = {"opened", "cannot be opened", "in use"};
    OpenResult result = OpenPort(number);
    char note[40];
    snprintf(note, sizeof note, "COM%d %s", number, outcomes[result]);
    RecordNote(note);
    if (result != PORT_READY) return result;
    LinkState = LINK_OPEN;
    if (watchLinkPort) watchLinkPort(portHandle);
    if (Handshake()) return PORT_READY;
    giveBack ? GiveBackPort() : CloseLink();
    RecordNote("no answer to the handshake");
    return NO_HANDSHAKE;
}

void CloseLink(void) {
    if (LinkState == LINK_OPEN && portHandle != INVALID_HANDLE_VALUE) {
        if (watchLinkPort) watchLinkPort(INVALID_HANDLE_VALUE);
        CloseHandle(portHandle);
        RecordNote("port closed");
    }
    portHandle = INVALID_HANDLE_VALUE;
    if (LinkState == LINK_OPEN) LinkState = LINK_CLOSED;
    ReleaseClaim();
}

void GiveBackPort(void) {
    if (LinkState == LINK_OPEN && portHandle != INVALID_HANDLE_VALUE) {
        GiveBackLine();
        if (timeoutsFound) SetCommTimeouts(portHandle, &foundTimeouts);
    }
    CloseLink();
}
