// Driving the shipped program from another process, as a user or another
// program would: start it, find its windows, click, close, wait for its end.
#ifndef TESTS_REMOTE_DIALOG_H
#define TESTS_REMOTE_DIALOG_H

#include <windows.h>

#include <vector>

struct RemoteProgram {
    PROCESS_INFORMATION process = {};
    HWND dialog = NULL;
};

// The full path of a program beside this one (in the build's bin folder).
void SiblingProgram(const char* name, char* path, size_t size);
// Starts padconfig.exe and waits for its dialog to be shown.
bool StartPadconfig(RemoteProgram& program, int timeoutMs = 20000);
std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly);
// Waits for the process to end; its exit code, or -1 on time-out.
int WaitForExit(RemoteProgram& program, int timeoutMs = 20000);
// Ends the program if it still runs.
void EndProgram(RemoteProgram& program);

#endif
