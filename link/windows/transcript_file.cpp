// The transcript's file on Windows.
#include <windows.h>

#include "../transcript_file.h"

static HANDLE transcriptFile = INVALID_HANDLE_VALUE;

unsigned long OpenTranscriptFile(const wchar_t* path, long long* size) {
    transcriptFile = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 NULL);
    if (transcriptFile == INVALID_HANDLE_VALUE) return GetLastError();
    LARGE_INTEGER length;
    *size = GetFileSizeEx(transcriptFile, &length) ? length.QuadPart : 0;
    return 0;
}

long long AppendTranscriptFile(const char* bytes, int length) {
    DWORD written = 0;
    WriteFile(transcriptFile, bytes, (DWORD)length, &written, NULL);
    return written;
}

void CloseTranscriptFile(void) {
    if (transcriptFile != INVALID_HANDLE_VALUE) CloseHandle(transcriptFile);
    transcriptFile = INVALID_HANDLE_VALUE;
}

bool TranscriptFileOpen(void) { return transcriptFile != INVALID_HANDLE_VALUE; }
