// The transcript's file on Linux and macOS: O_APPEND, so that each line
// lands at the end even when another run appends to the same file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "../../texts/wide_text.h"
#include "../transcript_file.h"
#include "write_all.h"

static int transcriptFile = -1;

unsigned long OpenTranscriptFile(const wchar_t* path, long long* size) {
    char name[4096];
    if (!NarrowWide(path, name, sizeof name)) return ENAMETOOLONG;
    transcriptFile = open(name, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (transcriptFile < 0) return (unsigned long)errno;
    struct stat status;
    *size = fstat(transcriptFile, &status) == 0 ? (long long)status.st_size : 0;
    return 0;
}

// A line that did not go whole counts as none: the limit is kept either way.
long long AppendTranscriptFile(const char* bytes, int length) {
    return WriteAll(transcriptFile, bytes, (size_t)length) == 0 ? length : 0;
}

void CloseTranscriptFile(void) {
    if (transcriptFile >= 0) close(transcriptFile);
    transcriptFile = -1;
}

bool TranscriptFileOpen(void) { return transcriptFile >= 0; }
