// A serial device as every system opens it for the pad: the small interface
// that link/windows and link/posix each implement, and the only place where
// the link meets the system's serial calls.
#ifndef PADCONFIG_SERIAL_PORT_H
#define PADCONFIG_SERIAL_PORT_H

// The system's name of a port: "COM5" on Windows, a device's path elsewhere.
constexpr int PORT_PATH_SIZE = 256;

// How opening a port ended. In use: another program, or another run of this
// one, holds it. Denied: the user may not open the device.
enum OpenResult { PORT_READY, PORT_UNUSABLE, PORT_IN_USE, PORT_DENIED, NO_HANDSHAKE };

// The system's open device; each system defines it.
struct SerialPort;

// Opens the port for this process alone (claimed: the pad's link) or as it
// is (the stand-in's end of a pair), raw at 9600 baud, 8N1, no flow control,
// DTR and RTS off, with the reads' and writes' time-outs set; null when it did
// not open, with *result saying why. The line it had is kept for giving back.
SerialPort* OpenSerialPort(const char* name, bool claimed, OpenResult* result);
// Sets the line back as it was found, then closes the port.
void GiveBackSerialPort(SerialPort* port);
// Closes the port; null is let be.
void CloseSerialPort(SerialPort* port);
// For a run ended at once, from a signal handler: the claimed port stops
// being this process's alone, as closing it would make it. Systems whose
// ports are freed with their process do nothing.
void DropClaimAtOnce(void);

// A read ends intervalMs after its last byte, or totalMs after it began.
bool SetSerialTimeouts(SerialPort* port, unsigned intervalMs, unsigned totalMs);
// Reads and writes return how many bytes moved, even on a failure.
// Up to count bytes within the time-outs.
int ReadSerialPort(SerialPort* port, void* buffer, int count);
// What has arrived, waiting up to waitMs for a first byte.
int PollSerialPort(SerialPort* port, void* buffer, int count, unsigned waitMs);
// How many bytes went out within the write time-out.
int WriteSerialPort(SerialPort* port, const void* bytes, int count);
// A read or write failed because the device has gone (unplugged, or its
// other end closed): nothing should touch the port again but closing it.
bool SerialDeviceGone(SerialPort* port);
// Drops whatever has arrived and not been read.
void PurgeSerialInput(SerialPort* port);

// The system's name of the port a user typed, into size bytes: on Windows
// "COMn" from "COM" (any case) and 1..256, blanks around it ignored; elsewhere
// the path as given. False when the word names no port.
bool PortNameOfWord(const wchar_t* word, char* name, int size);

// Systems where a device's permissions can refuse a user: the group that
// owns the port's device, into size bytes; false when it cannot be told.
bool GroupOfPort(const char* name, char* group, int size);

#endif
