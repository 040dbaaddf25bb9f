#include "port_io.h"

#include "serial_link.h"
#include "transcript.h"
#include "transcript_text.h"

// Nothing touches a port whose device has gone again: the link ends.
static void CloseIfGone(void) {
    if (linkPort && SerialDeviceGone(linkPort)) CloseLink();
}

bool WriteBytes(const void* data, int count) {
    if (!linkPort) return false;
    int written = WriteSerialPort(linkPort, data, count);
    RecordWire(WIRE_SENT, data, written);
    CloseIfGone();
    return written == count && linkPort;
}

bool WriteCarriageReturn(void) {
    crByte = CARRIAGE_RETURN;
    return WriteBytes(&crByte, 1);
}

int ReadBytes(void* buffer, int count) {
    if (!linkPort) return 0;
    int got = ReadSerialPort(linkPort, buffer, count);
    RecordWire(WIRE_RECEIVED, buffer, got);
    CloseIfGone();
    return got;
}
