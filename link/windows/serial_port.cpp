// Serial ports on Windows: COMn through \\.\COMn, with the DCB and the five
// time-outs set on every open, since drivers keep both across opens.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "../../texts/wide_text.h"
#include "../port_names.h"
#include "../serial_link.h"
#include "port_handle.h"

struct SerialPort {
    HANDLE handle;
    HANDLE claim;               // the named mutex that keeps the port to one process
    DCB found;                  // the line as this opening found it
    COMMTIMEOUTS foundTimeouts;
    bool timeoutsFound;
    long pollWaitMs;            // the wait PollSerialPort last set, or none (-1)
    bool gone;
};

HANDLE HandleOfPort(SerialPort* port) { return port ? port->handle : INVALID_HANDLE_VALUE; }

// A driver keeps line flags across opens: every flag that could garble or stop
// the pad's bytes is set here, whatever the last program left. Drivers refuse
// a record whose XON and XOFF characters are equal, or whose limits pass their
// queue, even with XON/XOFF off: some hand over both characters as 0.
static void ApplyLineSettings(DCB* dcb, DWORD queue) {
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
bool SetSerialTimeouts(SerialPort* port, unsigned intervalMs, unsigned totalMs) {
    if (!port) return false;
    port->pollWaitMs = -1;
    COMMTIMEOUTS timeouts = {intervalMs, 0, totalMs, 0, WRITE_TOTAL_MS};
    return SetCommTimeouts(port->handle, &timeouts) != FALSE;
}

static DWORD ReceiveQueue(HANDLE handle) {
    COMMPROP properties;
    memset(&properties, 0, sizeof properties);
    if (!GetCommProperties(handle, &properties)) return 0;
    return properties.dwCurrentRxQueue ? properties.dwCurrentRxQueue : properties.dwMaxRxQueue;
}

// A driver may refuse the very record it handed over (XON equal to XOFF):
// then it gets that record with the flow characters and limits it took from us.
static void GiveBackLine(SerialPort* port) {
    if (SetCommState(port->handle, &port->found)) return;
    DCB back = port->found, ours = port->found;
    ApplyLineSettings(&ours, ReceiveQueue(port->handle));
    back.XonChar = ours.XonChar, back.XoffChar = ours.XoffChar, back.XonLim = ours.XonLim, back.XoffLim = ours.XoffLim;
    SetCommState(port->handle, &back);
}

static bool ClearPortErrors(HANDLE handle) {
    DWORD errors = 0;
    COMSTAT status;
    return ClearCommError(handle, &errors, &status) != FALSE;
}

// A handle whose line state cannot be read is no port: Wine still opens a
// mapped COM name whose device has gone, and some virtual-port drivers report
// no character device. Settings that do not apply leave the line unusable.
static bool ConfigurePort(SerialPort* port) {
    DCB dcb;
    memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port->handle, &dcb)) return false;
    port->found = dcb;
    port->timeoutsFound = GetCommTimeouts(port->handle, &port->foundTimeouts) != FALSE;
    ApplyLineSettings(&dcb, ReceiveQueue(port->handle));
    if (!SetCommState(port->handle, &dcb) || !SetSerialTimeouts(port, READ_INTERVAL_MS, READ_TOTAL_MS)) {
        GiveBackLine(port);  // a port refused is left as it was found
        return false;
    }
    ClearPortErrors(port->handle);
    return true;
}

// One process at a time on a port: Windows refuses a second open of a port,
// but Wine does not, so every opener of the pad's link also holds a named
// mutex for the port.
static bool ClaimPort(SerialPort* port, int number) {
    WCHAR name[40];
    wsprintfW(name, L"Local\\padconfig-COM%d", number);
    SetLastError(ERROR_SUCCESS);  // only an existing mutex sets it
    port->claim = CreateMutexW(NULL, FALSE, name);
    if (port->claim && GetLastError() != ERROR_ALREADY_EXISTS) return true;
    if (port->claim) CloseHandle(port->claim);
    port->claim = NULL;
    return false;
}

static void ReleasePort(SerialPort* port) {
    if (port->handle != INVALID_HANDLE_VALUE) CloseHandle(port->handle);
    if (port->claim) CloseHandle(port->claim);
    delete port;
}

static OpenResult OpenPort(SerialPort* port, const char* name, bool claimed) {
    int number = PortNumberOfText(name, strlen(name));
    if (number == 0 && claimed) return PORT_UNUSABLE;
    if (claimed && !ClaimPort(port, number)) return PORT_IN_USE;
    // The \\.\ form opens COM10 and above too, and the stand-in's end of a
    // virtual pair by any name its driver gives it (CNCB0).
    char path[PORT_PATH_SIZE + 8];
    if (number) snprintf(path, sizeof path, "\\\\.\\COM%d", number);
    else snprintf(path, sizeof path, "\\\\.\\%s", name);
    port->handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (port->handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_ACCESS_DENIED ? PORT_IN_USE : PORT_UNUSABLE;  // another program holds it
    return ConfigurePort(port) ? PORT_READY : PORT_UNUSABLE;
}

SerialPort* OpenSerialPort(const char* name, bool claimed, OpenResult* result) {
    SerialPort* port = new SerialPort{INVALID_HANDLE_VALUE, NULL, {}, {}, false, -1, false};
    *result = OpenPort(port, name, claimed);
    if (*result == PORT_READY) return port;
    ReleasePort(port);
    return nullptr;
}

void GiveBackSerialPort(SerialPort* port) {
    if (!port) return;
    GiveBackLine(port);
    if (port->timeoutsFound) SetCommTimeouts(port->handle, &port->foundTimeouts);
    CloseSerialPort(port);
}

void CloseSerialPort(SerialPort* port) {
    if (port) ReleasePort(port);
}

void DropClaimAtOnce(void) {}  // the handle and the mutex go with the process

// How USB serial drivers fail a call once their device is gone (unplugged,
// or not back after sleep). Some still answer ClearCommError from what they
// cached, so these errors end the link without asking it; any other failure
// is the device's end when the port cannot even report its errors.
static bool DeviceGone(HANDLE handle, DWORD error) {
    return error == ERROR_BAD_COMMAND || error == ERROR_GEN_FAILURE || error == ERROR_ACCESS_DENIED ||
           error == ERROR_OPERATION_ABORTED || error == ERROR_DEVICE_NOT_CONNECTED || !ClearPortErrors(handle);
}

// What a failed call brought still counts: the transcript shows it.
static int Outcome(SerialPort* port, BOOL ok, DWORD done) {
    if (!ok && DeviceGone(port->handle, GetLastError())) port->gone = true;
    return (int)done;
}

bool SerialDeviceGone(SerialPort* port) { return port->gone; }

int ReadSerialPort(SerialPort* port, void* buffer, int count) {
    DWORD got = 0;
    BOOL ok = ReadFile(port->handle, buffer, (DWORD)count, &got, NULL);
    return Outcome(port, ok, got);
}

int WriteSerialPort(SerialPort* port, const void* bytes, int count) {
    DWORD written = 0;
    BOOL ok = WriteFile(port->handle, bytes, (DWORD)count, &written, NULL);
    return Outcome(port, ok, written);
}

// Returns at the first byte, or after waitMs (at once for 0): a short poll
// keeps times exact to about a millisecond.
int PollSerialPort(SerialPort* port, void* buffer, int count, unsigned waitMs) {
    if (port->pollWaitMs != (long)waitMs) {
        COMMTIMEOUTS timeouts = {MAXDWORD, waitMs ? MAXDWORD : 0, waitMs, 0, 0};
        SetCommTimeouts(port->handle, &timeouts);
        port->pollWaitMs = waitMs;
    }
    return ReadSerialPort(port, buffer, count);
}

void PurgeSerialInput(SerialPort* port) { PurgeComm(port->handle, PURGE_RXCLEAR); }

bool GroupOfPort(const char*, char*, int) { return false; }  // a port's access is not by group

// A digit of another script is none here.
bool PortNameOfWord(const wchar_t* word, char* name, int size) {
    char text[16];
    int number = NarrowAscii(word, text, sizeof text) ? PortNumberOfText(text, strlen(text)) : 0;
    return number > 0 && snprintf(name, (size_t)size, "COM%d", number) < size;
}
