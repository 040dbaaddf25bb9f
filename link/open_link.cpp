// Opening, configuring and handshaking the port chosen in the port list.
#include <cstring>

#include "../dialog/config_dialog.h"
#include "../dialog/texts.h"
#include "port_io.h"
#include "port_list.h"
#include "serial_link.h"

void ApplyLineSettings(DCB* dcb) {
    dcb->BaudRate = CBR_9600;
    dcb->ByteSize = 8;
    dcb->Parity = NOPARITY;
    dcb->StopBits = ONESTOPBIT;
    dcb->fOutxCtsFlow = FALSE;
    dcb->fOutxDsrFlow = FALSE;
    dcb->fDtrControl = DTR_CONTROL_DISABLE;
    dcb->fRtsControl = RTS_CONTROL_DISABLE;
}

void SetReadTimeouts(DWORD intervalMs, DWORD totalMs) {
    COMMTIMEOUTS timeouts;
    GetCommTimeouts(portHandle, &timeouts);
    timeouts.ReadIntervalTimeout = intervalMs;
    timeouts.ReadTotalTimeoutConstant = totalMs;
    SetCommTimeouts(portHandle, &timeouts);
}

static void ConfigurePort(void) {
    DCB dcb;
    memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    GetCommState(portHandle, &dcb);
    ApplyLineSettings(&dcb);
    SetCommState(portHandle, &dcb);

    COMMTIMEOUTS timeouts;
    GetCommTimeouts(portHandle, &timeouts);
    timeouts.ReadIntervalTimeout = READ_INTERVAL_MS;
    timeouts.ReadTotalTimeoutConstant = READ_TOTAL_MS;
    timeouts.WriteTotalTimeoutConstant = WRITE_TOTAL_MS;
    SetCommTimeouts(portHandle, &timeouts);
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

static bool OpenPort(HWND dialog) {
    int row = SelectedPortRow(dialog);
    if (row < 0) return false;
    char path[PORT_NAME_SIZE + 8] = "\\\\.\\";  // the \\.\ form opens COM10 and above too
    strcat(path, portNames[row]);
    portHandle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (portHandle == INVALID_HANDLE_VALUE) return false;
    // Wine still opens a mapped COM name whose device has gone (a pad unplugged
    // from /dev/ttyACM0), as a handle that is no port: that is a missing port.
    if (GetFileType(portHandle) == FILE_TYPE_CHAR) return true;
    CloseHandle(portHandle);
    portHandle = INVALID_HANDLE_VALUE;
    return false;
}

static int ReportOpenFailure(HWND dialog) {
    ShowMessage(dialog, TEXT_OPEN_FAILED, TEXT_OPEN_CAPTION, MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
    ackBuffer[0] = 0;
    LinkState = LINK_FAILED;
    SetEditControlsEnabled(dialog, 0);
    return 0;
}

int OpenLink(HWND dialog) {
    if (LinkState == LINK_OPEN) return 1;  // the pad is not asked again
    if (!OpenPort(dialog)) return ReportOpenFailure(dialog);
    LinkState = LINK_OPEN;
    ConfigurePort();
    if (Handshake()) return 1;
    CloseLink();
    LinkState = LINK_FAILED;
    return 0;
}

int CheckLink(HWND dialog, UINT, WPARAM, LPARAM) { return OpenLink(dialog) == 1 ? 0 : 1; }

void CloseLink(void) {
    if (LinkState == LINK_OPEN && portHandle != INVALID_HANDLE_VALUE) CloseHandle(portHandle);
    portHandle = INVALID_HANDLE_VALUE;
    if (LinkState == LINK_OPEN) LinkState = LINK_CLOSED;
}
