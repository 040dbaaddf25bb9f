#include "port_io.h"

#include "serial_link.h"

bool WriteBytes(const void* data, DWORD count) {
    DWORD written = 0;
    return WriteFile(portHandle, data, count, &written, NULL) && written == count;
}

bool WriteCarriageReturn(void) {
    crByte = CARRIAGE_RETURN;
    return WriteBytes(&crByte, 1);
}

DWORD ReadBytes(void* buffer, DWORD count) {
    DWORD got = 0;
    if (!ReadFile(portHandle, buffer, count, &got, NULL)) return 0;
    return got;
}

bool ClearPortErrors(void) {
    DWORD errors = 0;
    COMSTAT status;
    return ClearCommError(portHandle, &errors, &status) != FALSE;
}
