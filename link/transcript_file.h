// The transcript's file on each system: opened for appending, written line by
// line as it happens, so that it holds everything up to a crash.
#ifndef PADCONFIG_TRANSCRIPT_FILE_H
#define PADCONFIG_TRANSCRIPT_FILE_H

// 0, or the system's error code; *size gets the file's size so far.
unsigned long OpenTranscriptFile(const wchar_t* path, long long* size);
// How many of the bytes were written.
long long AppendTranscriptFile(const char* bytes, int length);
void CloseTranscriptFile(void);
bool TranscriptFileOpen(void);

#endif
