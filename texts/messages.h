// Messages of several lines built from the texts, for boxes and for the
// command line's output: wide characters on every system, and "%ls" for text
// arguments, which every C library reads as wide.
#ifndef PADCONFIG_MESSAGES_H
#define PADCONFIG_MESSAGES_H

#include <cstdarg>

// A path as long as Windows takes one: 32,767 characters and the NUL.
constexpr int PATH_SIZE = 32768;
// Boxes of several lines, in a buffer of MESSAGE_SIZE characters: room for a
// whole path and the lines around it.
constexpr int MESSAGE_SIZE = PATH_SIZE + 4096;
// The longest text of the tables, with room to spare (the usage aside).
constexpr int TEXT_SIZE = 256;

// The format with its %d and %ls filled, into size characters; a text that
// does not fit ends in "…", never cut unseen. Returns the length.
int FormatText(wchar_t* out, int size, const wchar_t* format, ...);
int FormatTextList(wchar_t* out, int size, const wchar_t* format, va_list arguments);
// Appends a line: the text with its %d and %ls filled from the arguments.
void AppendText(wchar_t* message, unsigned text, ...);
void AppendTextList(wchar_t* message, unsigned text, va_list arguments);
void AppendLine(wchar_t* message, const wchar_t* line);
// A file that could not be used, with the system's reason on the next line.
void AppendFileFailure(wchar_t* message, unsigned text, const wchar_t* path, unsigned long error);

#endif
