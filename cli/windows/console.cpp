// The standard streams on Windows: a console, a file or a pipe.
#include <windows.h>

#include "../../texts/wide_text.h"
#include "../console.h"
#include "attach_console.h"

static const DWORD streams[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
static bool writeFailed;

// A handle that leads somewhere: a file, a pipe, a device, or a console this
// process reaches (a console's handle is of no use to a process not attached).
static bool Usable(HANDLE handle) {
    DWORD mode;
    if (!handle || handle == INVALID_HANDLE_VALUE) return false;
    return GetFileType(handle) != FILE_TYPE_UNKNOWN || GetConsoleMode(handle, &mode);
}

static HANDLE ConsoleOutput(void) {
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                       OPEN_EXISTING, 0, NULL);
}

// Attaching gives the process the console's handles in place of its own
// unless it was started with STARTF_USESTDHANDLES, so what the parent gave is
// put back; Wine may have attached already, which it tells as access denied.
void AttachToConsole(void) {
    HANDLE given[3];
    for (int i = 0; i < 3; i++) given[i] = GetStdHandle(streams[i]);
    if (Usable(given[1]) && Usable(given[2])) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) return;
    for (int i = 0; i < 3; i++) {
        HANDLE handle = Usable(given[i]) || i == 0 ? given[i] : ConsoleOutput();
        if (handle != INVALID_HANDLE_VALUE) SetStdHandle(streams[i], handle);
    }
}

bool HasConsole(void) { return Usable(GetStdHandle(STD_ERROR_HANDLE)); }

static bool WriteWhole(const char* bytes, size_t length, void* handle) {
    DWORD written = 0;
    bool whole = WriteFile((HANDLE)handle, bytes, (DWORD)length, &written, NULL) && written == length;
    writeFailed |= !whole;
    return whole;
}

static int Encode(UINT codePage, const WCHAR* text, int length, char* out, int size) {
    int bytes = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text, length, out, size, NULL, NULL);
    if (!bytes && GetLastError() == ERROR_INVALID_FLAGS)  // code pages that take no flags
        bytes = WideCharToMultiByte(codePage, 0, text, length, out, size, NULL, NULL);
    return bytes;
}

// A character the code page lacks becomes its default character.
static bool WriteInCodePage(UINT codePage, const WCHAR* text, int length, HANDLE handle) {
    constexpr int PIECE = 512;
    static char piece[4 * PIECE];  // the widest code page's bytes for as many characters
    for (int at = 0, count; at < length; at += count) {
        count = length - at < PIECE ? length - at : PIECE;
        if (count < length - at && IS_HIGH_SURROGATE(text[at + count - 1])) count--;  // a pair stays whole
        if (!WriteWhole(piece, (size_t)Encode(codePage, text + at, count, piece, sizeof piece), handle)) return false;
    }
    return true;
}

// A file or a pipe gets what the shell decodes it with: cmd and PowerShell,
// the console's output code page; with no console, UTF-8.
static bool WriteText(const WCHAR* text, size_t length, HANDLE handle) {
    UINT codePage = GetConsoleOutputCP();
    if (!codePage || codePage == CP_UTF8 || !IsValidCodePage(codePage)) return WriteNarrow(text, length, WriteWhole, handle);
    return WriteInCodePage(codePage, text, (int)length, handle);
}

static void WriteConsoleWhole(HANDLE handle, const WCHAR* text, DWORD length) {
    DWORD written = 0;
    writeFailed |= !WriteConsoleW(handle, text, length, &written, NULL) || written != length;
}

void PrintLine(OutputStream stream, const wchar_t* text) {
    HANDLE handle = GetStdHandle(stream == STANDARD_OUTPUT ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (!handle || handle == INVALID_HANDLE_VALUE) return;
    DWORD mode;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleWhole(handle, text, (DWORD)lstrlenW(text));
        WriteConsoleWhole(handle, L"\r\n", 2);
        return;
    }
    if (WriteText(text, (size_t)lstrlenW(text), handle)) WriteWhole("\r\n", 2, handle);
}

void PrintBytes(const char* bytes, size_t length) {
    HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    if (handle && handle != INVALID_HANDLE_VALUE) WriteWhole(bytes, length, handle);
}

bool WriteFailed(void) { return writeFailed; }
