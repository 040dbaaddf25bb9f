// Output of a windowless run: a GUI program has no console of its own, so it
// writes to the one it was started from, or to where its output was sent.
#ifndef PADCONFIG_CONSOLE_H
#define PADCONFIG_CONSOLE_H

#include <windows.h>

// Standard output and error, each as the parent gave it when it leads
// somewhere, else the parent's console; a stream that leads nowhere stays so,
// and what is written to it is lost.
void AttachToConsole(void);
// Standard error leads somewhere.
bool HasConsole(void);
// The text and a line break, to STD_OUTPUT_HANDLE or STD_ERROR_HANDLE: as
// UTF-16 to a console, as UTF-8 to a file or pipe.
void PrintLine(DWORD stream, const WCHAR* text);
// Bytes as they are (a profile's text) to standard output.
void PrintBytes(const char* bytes, DWORD length);
// A write to a stream that leads somewhere failed (a closed pipe, a full disk).
bool WriteFailed(void);

#endif
