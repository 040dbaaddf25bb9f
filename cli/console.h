// Output of a windowless run, on each system's standard streams.
#ifndef PADCONFIG_CONSOLE_H
#define PADCONFIG_CONSOLE_H

#include <cstddef>

enum OutputStream { STANDARD_OUTPUT, STANDARD_ERROR };

// The text and a line break: to a Windows console as UTF-16; to a file or a
// pipe of a Windows program that has a console, in the console's output code
// page; anywhere else as UTF-8.
void PrintLine(OutputStream stream, const wchar_t* text);
// Bytes as they are (a profile's text) to standard output.
void PrintBytes(const char* bytes, size_t length);
// A write to a stream that leads somewhere failed (a closed pipe, a full disk).
bool WriteFailed(void);

#endif
