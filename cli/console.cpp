#include "console.h"

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

static bool WriteWhole(HANDLE handle, const void* bytes, DWORD length) {
    DWORD written = 0;
    bool whole = WriteFile(handle, bytes, length, &written, NULL) && written == length;
    writeFailed |= !whole;
    return whole;
}

static void WriteUtf8(HANDLE handle, const WCHAR* text, int length) {
    char bytes[1024];
    for (int done = 0; done < length;) {
        int part = length - done < 256 ? length - done : 256;  // at most 4 bytes a character
        if (part < length - done && IS_HIGH_SURROGATE(text[done + part - 1])) part--;  // pairs stay whole
        int size = WideCharToMultiByte(CP_UTF8, 0, text + done, part, bytes, sizeof bytes, NULL, NULL);
        if (!WriteWhole(handle, bytes, (DWORD)size)) return;
        done += part;
    }
}

static void WriteConsoleWhole(HANDLE handle, const WCHAR* text, DWORD length) {
    DWORD written = 0;
    writeFailed |= !WriteConsoleW(handle, text, length, &written, NULL) || written != length;
}

void PrintLine(DWORD stream, const WCHAR* text) {
    HANDLE handle = GetStdHandle(stream);
    if (!handle || handle == INVALID_HANDLE_VALUE) return;
    DWORD mode;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleWhole(handle, text, (DWORD)lstrlenW(text));
        WriteConsoleWhole(handle, L"\r\n", 2);
        return;
    }
    WriteUtf8(handle, text, lstrlenW(text));
    WriteWhole(handle, "\r\n", 2);
}

void PrintBytes(const char* bytes, DWORD length) {
    HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    if (handle && handle != INVALID_HANDLE_VALUE) WriteWhole(handle, bytes, length);
}

bool WriteFailed(void) { return writeFailed; }
