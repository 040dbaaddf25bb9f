#include "console.h"

// A redirected handle stays; an empty one gets the parent's console, if any.
static void OpenConsoleStream(DWORD stream) {
    HANDLE handle = GetStdHandle(stream);
    if (handle && handle != INVALID_HANDLE_VALUE) return;
    handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                         OPEN_EXISTING, 0, NULL);
    if (handle != INVALID_HANDLE_VALUE) SetStdHandle(stream, handle);
}

void AttachToConsole(void) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE), error = GetStdHandle(STD_ERROR_HANDLE);
    bool redirected = output && output != INVALID_HANDLE_VALUE && error && error != INVALID_HANDLE_VALUE;
    if (redirected || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    OpenConsoleStream(STD_OUTPUT_HANDLE);
    OpenConsoleStream(STD_ERROR_HANDLE);
}

bool HasConsole(void) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    return error && error != INVALID_HANDLE_VALUE;
}

static void WriteUtf8(HANDLE handle, const WCHAR* text, int length) {
    char bytes[1024];
    for (int done = 0; done < length;) {
        int part = length - done < 256 ? length - done : 256;  // at most 4 bytes a character
        if (part < length - done && IS_HIGH_SURROGATE(text[done + part - 1])) part--;  // pairs stay whole
        int size = WideCharToMultiByte(CP_UTF8, 0, text + done, part, bytes, sizeof bytes, NULL, NULL);
        DWORD written;
        WriteFile(handle, bytes, (DWORD)size, &written, NULL);
        done += part;
    }
}

void PrintLine(DWORD stream, const WCHAR* text) {
    HANDLE handle = GetStdHandle(stream);
    if (!handle || handle == INVALID_HANDLE_VALUE) return;
    DWORD mode, written;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text, (DWORD)lstrlenW(text), &written, NULL);
        WriteConsoleW(handle, L"\r\n", 2, &written, NULL);
        return;
    }
    WriteUtf8(handle, text, lstrlenW(text));
    WriteFile(handle, "\r\n", 2, &written, NULL);
}

void PrintBytes(const char* bytes, DWORD length) {
    HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written;
    if (handle && handle != INVALID_HANDLE_VALUE) WriteFile(handle, bytes, length, &written, NULL);
}
