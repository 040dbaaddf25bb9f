// Profile files on Windows, read and written whole.
#include <windows.h>

#include "../../texts/messages.h"
#include "../profile.h"

// Made here rather than by GetTempFileNameW, which refuses a folder longer
// than MAX_PATH - 14, even in long-path mode.
static WCHAR target[PATH_SIZE], temporaryPath[PATH_SIZE];
constexpr int NAME_TRIES = 100;
constexpr DWORD PLAIN_LENGTH_MAX = MAX_PATH - 20;  // room for the temporary name beside the file

// The path whole, in the long form (\\?\) when it passes what plain paths
// reach where the system keeps the MAX_PATH limit.
static DWORD FullPath(const WCHAR* path, WCHAR* full) {
    static WCHAR whole[PATH_SIZE];
    DWORD length = GetFullPathNameW(path, PATH_SIZE, whole, NULL);
    if (!length) return GetLastError();
    if (length >= PATH_SIZE - 32) return ERROR_FILENAME_EXCED_RANGE;
    bool unc = whole[0] == L'\\' && whole[1] == L'\\';
    bool given = unc && (whole[2] == L'?' || whole[2] == L'.') && whole[3] == L'\\';  // \\?\ or \\.\ already
    if (length <= PLAIN_LENGTH_MAX || given) return lstrcpyW(full, whole), 0;
    lstrcpyW(full, unc ? L"\\\\?\\UNC" : L"\\\\?\\");  // \\server\share becomes \\?\UNC\server\share
    lstrcatW(full, whole + (unc ? 1 : 0));
    return 0;
}

// A new file beside target, made exclusively: another name when one is taken.
static HANDLE CreateBeside(void) {
    int folder = lstrlenW(target);
    while (folder > 0 && target[folder - 1] != L'\\') folder--;
    DWORD unique = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int tries = 0; tries < NAME_TRIES; tries++) {
        lstrcpynW(temporaryPath, target, folder + 1);
        wsprintfW(temporaryPath + folder, L"~pad%08lx.tmp", (unsigned long)(unique + tries));
        HANDLE file = CreateFileW(temporaryPath, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

static DWORD WriteWhole(HANDLE file, const char* text, DWORD length) {
    DWORD written = 0, error = 0;
    if (!WriteFile(file, text, length, &written, NULL) || !FlushFileBuffers(file)) error = GetLastError();
    else if (written != length) error = ERROR_DISK_FULL;
    CloseHandle(file);
    return error;
}

unsigned long WriteProfileFile(const wchar_t* path, const char* text, size_t length) {
    DWORD error = FullPath(path, target);
    if (error) return error;
    HANDLE file = CreateBeside();
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    error = WriteWhole(file, text, (DWORD)length);
    if (!error && !MoveFileExW(temporaryPath, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error) DeleteFileW(temporaryPath);
    return error;
}

// A read may bring fewer bytes than asked for: it is repeated to the end. An
// editor may hold the file open for writing meanwhile.
unsigned long ReadProfileFile(const wchar_t* path, char* buffer, size_t size, size_t* got) {
    *got = 0;
    DWORD error = FullPath(path, target);
    if (error) return error;
    HANDLE file = CreateFileW(target, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD read = 1;
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
