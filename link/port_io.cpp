#include "port_io.h"

#include "serial_link.h"
#include "transcript.h"
#include "transcript_text.h"

// A failed call on a port that cannot even report its errors: the device has
// gone (a pad unplugged), so the link ends and nothing touches the handle again.
static void CheckPortAfterFailure(void) {
    if (!ClearPortErrors()) CloseLink();
}

bool WriteBytes(const void* data, DWORD count) {
    if (portHandle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(portHandle, data, count, &written, NULL);
    RecordWire(WIRE_SENT, data, written);
    if (ok) return written == count;
    CheckPortAfterFailure();
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
    RecordWire(WIRE_RECEIVED, buffer, got);
    if (ok) return got;
    CheckPortAfterFailure();
    return 0;
}

bool ClearPortErrors(void) {
    DWORD errors = 0;
    COMSTAT status;
    return ClearCommError(portHandle, &errors, &status) != FALSE;
}
