// The wire transcript's text: bytes as a line a bug report can carry. No
// Windows types, so it also builds natively for the sanitizer and fuzzing runs.
#ifndef PADCONFIG_TRANSCRIPT_TEXT_H
#define PADCONFIG_TRANSCRIPT_TEXT_H

#include <cstddef>

// Sent to the pad, received from it, and a note of the tool's own.
constexpr char WIRE_SENT = '>';
constexpr char WIRE_RECEIVED = '<';
constexpr char WIRE_NOTE = '#';
// The most a byte takes once escaped ("\xNN").
constexpr size_t ESCAPED_BYTE_MAX = 4;

// Printable ASCII as it is; CR, LF and backslash as \r, \n and \\; any other
// byte as \xNN. Writes at most size - 1 characters and a NUL, whole escapes
// only; returns the length written.
size_t EscapeWireBytes(const unsigned char* data, size_t count, char* out, size_t size);

#endif
