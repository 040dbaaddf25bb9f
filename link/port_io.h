// Raw reads and writes on the open port, shared by the handshake and the exchanges.
#ifndef PADCONFIG_PORT_IO_H
#define PADCONFIG_PORT_IO_H

#include <windows.h>

// A read or write that fails on a port that has gone closes the link; on a
// closed link they touch nothing.

// True when all bytes were written.
bool WriteBytes(const void* data, DWORD count);
// Writes crByte, set to a carriage return; true when it went out.
bool WriteCarriageReturn(void);
// Reads up to count bytes to the start of buffer, over what it held;
// returns how many arrived.
DWORD ReadBytes(void* buffer, DWORD count);
// Clears the port's error state; false when the port could not report it.
bool ClearPortErrors(void);

#endif
