// Raw reads and writes on the open port, shared by the handshake and the exchanges.
#ifndef PADCONFIG_PORT_IO_H
#define PADCONFIG_PORT_IO_H

// A read or write that fails on a port that has gone closes the link; on a
// closed link they touch nothing. Every byte is in the transcript.

// True when all bytes were written.
bool WriteBytes(const void* data, int count);
// Writes crByte, set to a carriage return; true when it went out.
bool WriteCarriageReturn(void);
// Reads up to count bytes to the start of buffer, over what it held;
// returns how many arrived.
int ReadBytes(void* buffer, int count);

#endif
