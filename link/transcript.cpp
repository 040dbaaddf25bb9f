// The wire transcript's file. Every line is written as it happens, so the
// file holds all up to a crash.
#include "transcript.h"

#include <cstdio>
#include <cstring>

#include "clock.h"
#include "transcript_file.h"
#include "transcript_text.h"
#include "version.h"

constexpr int BYTES_PER_LINE = 64;
constexpr int STAMP_LENGTH = 26;  // "2026-12-07 03:01:02.123 > "
constexpr int LINE_SIZE = STAMP_LENGTH + BYTES_PER_LINE * ESCAPED_BYTE_MAX + 3;
static const char STOPPED[] = "transcript stopped: the file reached 16 MiB\r\n";
constexpr int LAST_LINE_LENGTH = STAMP_LENGTH + sizeof STOPPED - 1;

static long long transcriptSize;
static char line[LINE_SIZE];

static int Stamp(char direction) {
    LocalTime now;
    ReadLocalTime(&now);
    return snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d:%02d.%03d %c ", now.year, now.month, now.day,
                    now.hour, now.minute, now.second, now.millisecond, direction);
}

static void Append(int length) {
    transcriptSize += AppendTranscriptFile(line, length);
}

// The line in the buffer, unless it would take the file past the limit:
// then a last line says that the transcript stopped, and the file closes.
static void WriteLine(int length) {
    if (transcriptSize + length + LAST_LINE_LENGTH <= TRANSCRIPT_LIMIT) return Append(length);
    int last = Stamp(WIRE_NOTE);
    memcpy(line + last, STOPPED, sizeof STOPPED - 1);
    if (transcriptSize + LAST_LINE_LENGTH <= TRANSCRIPT_LIMIT) Append(LAST_LINE_LENGTH);
    CloseTranscriptFile();
}

void RecordWire(char direction, const void* data, int count) {
    const unsigned char* bytes = (const unsigned char*)data;
    for (int done = 0; done < count && TranscriptFileOpen(); done += BYTES_PER_LINE) {
        int part = count - done < BYTES_PER_LINE ? count - done : BYTES_PER_LINE;
        int length = Stamp(direction);
        length += (int)EscapeWireBytes(bytes + done, part, line + length, sizeof line - length - 2);
        memcpy(line + length, "\r\n", 2);
        WriteLine(length + 2);
    }
}

void RecordNote(const char* text) {
    if (!TranscriptFileOpen()) return;
    int length = Stamp(WIRE_NOTE);
    length += snprintf(line + length, sizeof line - length - 2, "%s", text);
    if (length > (int)sizeof line - 3) length = sizeof line - 3;  // a note cut to the line
    memcpy(line + length, "\r\n", 2);
    WriteLine(length + 2);
}

unsigned long OpenTranscript(const wchar_t* path) {
    unsigned long error = OpenTranscriptFile(path, &transcriptSize);
    if (error) return error;
    RecordNote("padconfig " VERSION_TEXT);
    return 0;
}
