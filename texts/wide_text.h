// Bytes of the system's file names and terminals (UTF-8) as wide characters
// and back, without loss: a byte that is not part of valid UTF-8 becomes
// U+DC80 + byte and is written back as that byte, so a file name that is not
// UTF-8 still opens, and a text's characters reach a terminal whole.
#ifndef PADCONFIG_WIDE_TEXT_H
#define PADCONFIG_WIDE_TEXT_H

#include <cstddef>

// A word of ASCII only (names of ports and languages), copied with its NUL
// into size bytes; false when it has another character or does not fit.
bool NarrowAscii(const wchar_t* word, char* out, size_t size);

// Both return false, with out cut but ended, when out (size units) is too small.
bool WidenBytes(const char* bytes, wchar_t* out, size_t size);
bool NarrowWide(const wchar_t* text, char* out, size_t size);
// The first length characters as UTF-8, handed to write in pieces of at most
// 1 KiB, a character never split; false when write returned false.
typedef bool (*WritePiece)(const char* bytes, size_t length, void* context);
bool WriteNarrow(const wchar_t* text, size_t length, WritePiece write, void* context);

#endif
