// The standard streams on Linux and macOS: UTF-8, whatever they lead to.
#include <unistd.h>

#include "../../link/posix/write_all.h"
#include "../../texts/wide_text.h"
#include "../console.h"

static bool writeFailed;

// A line to standard error still ends after standard output has failed.
static bool WriteWhole(const char* bytes, size_t length, void* stream) {
    bool written = WriteAll(*(int*)stream, bytes, length) == 0;
    writeFailed |= !written;
    return written;
}

void PrintLine(OutputStream stream, const wchar_t* text) {
    int descriptor = stream == STANDARD_OUTPUT ? STDOUT_FILENO : STDERR_FILENO;
    size_t length = 0;
    while (text[length]) length++;
    if (WriteNarrow(text, length, WriteWhole, &descriptor)) WriteWhole("\n", 1, &descriptor);
}

void PrintBytes(const char* bytes, size_t length) {
    int descriptor = STDOUT_FILENO;
    WriteWhole(bytes, length, &descriptor);
}

bool WriteFailed(void) { return writeFailed; }
