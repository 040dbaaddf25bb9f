// The wire transcript's file. Every line is written as it happens, so the
// file holds all up to a crash.
#include "transcript.h"

#include <cstdio>
#include <cstring>

#include "transcript_text.h"
#include "version.h"

constexpr int BYTES_PER_LINE = 64;
constexpr int STAMP_LENGTH = 26;  // "2026-12-07 03:01:02.123 > "
constexpr int LINE_SIZE = STAMP_LENGTH + BYTES_PER_LINE * ESCAPED_BYTE_MAX + 3;
static const char STOPPED[] = "transcript stopped: the file reached 16 MiB\r\n";
constexpr int LAST_LINE_LENGTH = STAMP_LENGTH + sizeof STOPPED - 1;

static HANDLE transcriptFile = INVALID_HANDLE_VALUE;
static LONGLONG transcriptSize;
static char line[LINE_SIZE];

static int Stamp(char direction) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return snprintf(line, sizeof line, "%04u-%02u-%02u %02u:%02u:%02u.%03u %c ", now.wYear, now.wMonth, now.wDay,
                    now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, direction);
}

static void Append(int length) {
    DWORD written = 0;
    WriteFile(transcriptFile, line, (DWORD)length, &written, NULL);
    transcriptSize += written;
}

// The line in the buffer, unless it would take the file past the limit:
// then a last line says that the transcript stopped, and the file closes.
static void WriteLine(int length) {
    if (transcriptSize + length + LAST_LINE_LENGTH <= TRANSCRIPT_LIMIT) return Append(length);
    int last = Stamp(WIRE_NOTE);
    memcpy(line + last, STOPPED, sizeof STOPPED - 1);
    if (transcriptSize + LAST_LINE_LENGTH <= TRANSCRIPT_LIMIT) Append(LAST_LINE_LENGTH);
    CloseHandle(transcriptFile);
    transcriptFile = INVALID_HANDLE_VALUE;
}

void RecordWire(char direction, const void* data, DWORD count) {
    const unsigned char* bytes = (const unsigned char*)data;
    for (DWORD done = 0; done < count && transcriptFile != INVALID_HANDLE_VALUE; done += BYTES_PER_LINE) {
        DWORD part = count - done < BYTES_PER_LINE ? count - done : BYTES_PER_LINE;
        int length = Stamp(direction);
        length += (int)EscapeWireBytes(bytes + done, part, line + length, sizeof line - length - 2);
        memcpy(line + length, "\r\n", 2);
        WriteLine(length + 2);
    }
}

void RecordNote(const char* text) {
    if (transcriptFile == INVALID_HANDLE_VALUE) return;
    int length = Stamp(WIRE_NOTE);
    length += snprintf(line + length, sizeof line - length - 2, "%s", text);
    if (length > (int)sizeof line - 3) length = sizeof line - 3;  // a note cut to the line
    memcpy(line + length, "\r\n", 2);
    WriteLine(length + 2);
}

DWORD OpenTranscript(const WCHAR* path) {
    transcriptFile = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 NULL);
    if (transcriptFile == INVALID_HANDLE_VALUE) return GetLastError();
    LARGE_INTEGER size;
    transcriptSize = GetFileSizeEx(transcriptFile, &size) ? size.QuadPart : 0;
    RecordNote("padconfig " VERSION_TEXT);
    return 0;
}
