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
    if (WriteNarrow(text, (size_t)lstrlenW(text), WriteWhole, handle)) WriteWhole("\r\n", 2, handle);
}

void PrintBytes(const char* bytes, size_t length) {
    HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    if (handle && handle != INVALID_HANDLE_VALUE) WriteWhole(bytes, length, handle);
}

bool WriteFailed(void) { return writeFailed; }
