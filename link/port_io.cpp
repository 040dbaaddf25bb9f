#include "port_io.h"

#include "serial_link.h"
#include "transcript.h"
#include "transcript_text.h"

// How USB serial drivers fail a call once their device is gone (unplugged,
// or not back after sleep). Some still answer ClearCommError from what they
// cached, so these errors end the link without asking it.
static bool DeviceGone(DWORD error) {
    return error == ERROR_BAD_COMMAND || error == ERROR_GEN_FAILURE || error == ERROR_ACCESS_DENIED ||
           error == ERROR_OPERATION_ABORTED || error == ERROR_DEVICE_NOT_CONNECTED;
}

// A failed call on a port whose device has gone, by its error or because the
// port cannot even report its errors: the link ends and nothing touches the
// handle again.
static void CheckPortAfterFailure(DWORD error) {
    if (DeviceGone(error) || !ClearPortErrors()) CloseLink();
}

bool WriteBytes(const void* data, DWORD count) {
    if (portHandle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(portHandle, data, count, &written, NULL);
    DWORD error = ok ? 0 : GetLastError();  // before the transcript's own writes
    RecordWire(WIRE_SENT, data, written);
    if (ok) return written == count;
    CheckPortAfterFailure(error);
    return false;
}

bool WriteCarriageReturn(void) {
    crByte = CARRIAGE_RETURN;
    return WriteBytes(&crByte, 1);
}

DWORD ReadBytes(void* buffer, DWORD count) {
    if (portHandle == INVALID_HANDLE_VALUE) return 0;
    DWORD got = 0;
    BOOL ok = ReadFile(portHandle, buffer, count, &got, NULL);
    DWORD error = ok ? 0 : GetLastError();
    RecordWire(WIRE_RECEIVED, buffer, got);
    if (ok) return got;
    CheckPortAfterFailure(error);
    return 0;
}

bool ClearPortErrors(void) {
    DWORD errors = 0;
    COMSTAT status;
    return ClearCommError(portHandle, &errors, &status) != FALSE;
}
