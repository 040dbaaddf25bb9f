#include "remote_dialog.h"

#include <cstdio>
#include <cstring>

void SiblingProgram(const char* name, char* path, size_t size) {
    GetModuleFileNameA(NULL, path, (DWORD)size);
    char* slash = strrchr(path, '\\');
    if (slash) *(slash + 1) = 0;
    strncat(path, name, size - strlen(path) - 1);
}

struct WindowSearch {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    WindowSearch* search = (WindowSearch*)context;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && (!search->visibleOnly || IsWindowVisible(window)))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly) {
    WindowSearch search{processId, visibleOnly, {}};
    EnumWindows(CollectWindow, (LPARAM)&search);
    return search.found;
}

static HWND FindDialog(DWORD processId) {
    for (HWND window : TopLevelWindows(processId, true)) {
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (strcmp(className, "#32770") == 0 && GetDlgItem(window, 1005)) return window;
    }
    return NULL;
}

bool StartPadconfig(RemoteProgram& program, int timeoutMs) {
    char path[MAX_PATH];
    SiblingProgram("padconfig.exe", path, sizeof path);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(path, NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &program.process)) return false;
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        program.dialog = FindDialog(program.process.dwProcessId);
        if (program.dialog) return true;
        Sleep(20);
    }
    return false;
}

int WaitForExit(RemoteProgram& program, int timeoutMs) {
    if (WaitForSingleObject(program.process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(program.process.hProcess, &code);
    return (int)code;
}

void EndProgram(RemoteProgram& program) {
    if (!program.process.hProcess) return;
    if (WaitForSingleObject(program.process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(program.process.hProcess, 99);
        WaitForSingleObject(program.process.hProcess, 5000);
    }
    CloseHandle(program.process.hProcess);
    CloseHandle(program.process.hThread);
    program.process = {};
}
