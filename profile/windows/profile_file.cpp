// Profile files on Windows, read and written whole.
#include <windows.h>

#include "../../texts/messages.h"
#include "../profile.h"

static WCHAR folder[PATH_SIZE], temporaryPath[MAX_PATH];  // the system's limit for a temporary name

static DWORD WriteWhole(const WCHAR* path, const char* text, DWORD length) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD written = 0, error = 0;
    if (!WriteFile(file, text, length, &written, NULL) || !FlushFileBuffers(file)) error = GetLastError();
    else if (written != length) error = ERROR_DISK_FULL;
    CloseHandle(file);
    return error;
}

// The folder part of a path: "." when it has none.
static void FolderOf(const WCHAR* path) {
    lstrcpynW(folder, path, PATH_SIZE);
    WCHAR* end = NULL;
    for (WCHAR* at = folder; *at; at++)
        if (*at == L'\\' || *at == L'/') end = at;
    if (end) end[end == folder || end[-1] == L':' ? 1 : 0] = 0;  // "C:\" and "\" keep their separator
    else lstrcpyW(folder, L".");
}

unsigned long WriteProfileFile(const wchar_t* path, const char* text, size_t length) {
    FolderOf(path);
    if (!GetTempFileNameW(folder, L"pad", 0, temporaryPath)) return GetLastError();
    DWORD error = WriteWhole(temporaryPath, text, (DWORD)length);
    if (!error && !MoveFileExW(temporaryPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error) DeleteFileW(temporaryPath);
    return error;
}

// A read may bring fewer bytes than asked for: it is repeated to the end. An
// editor may hold the file open for writing meanwhile.
unsigned long ReadProfileFile(const wchar_t* path, char* buffer, size_t size, size_t* got) {
    *got = 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD error = 0, read = 1;
    while (*got < size && read > 0) {
        if (!ReadFile(file, buffer + *got, (DWORD)(size - *got), &read, NULL)) {
            error = GetLastError();
            break;
        }
        *got += read;
    }
    CloseHandle(file);
    return error;
}
