// The wire transcript (--log): every byte sent to the pad and received from
// it, appended to a file as lines of
//   2026-12-07 03:01:02.123 > 1_num?\r
// with the local time to the millisecond, the direction (transcript_text.h)
// and the bytes escaped.
#ifndef PADCONFIG_TRANSCRIPT_H
#define PADCONFIG_TRANSCRIPT_H

// The file never grows past this: the line that would pass it is replaced by
// one saying that the transcript stopped.
constexpr long long TRANSCRIPT_LIMIT = 16LL * 1024 * 1024;

// Opens the file for appending and writes a first note; 0, or the system's
// error code. Until then, and after a failure, nothing is recorded.
unsigned long OpenTranscript(const wchar_t* path);
void RecordWire(char direction, const void* data, int count);
// A note of the tool's own, such as which port was opened.
void RecordNote(const char* text);

#endif
