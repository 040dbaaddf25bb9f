// Console events that ask a run to stop. Windows calls the handler on a
// thread of its own, while the run goes on.
#include <windows.h>

#include "../../link/interruption.h"
#include "../interruption.h"
#include "../run_command.h"

static BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (InterruptLink() > 1) ExitProcess(EXIT_INTERRUPTED);
    // The process ends as this returns: it waits for the run to end instead,
    // within the few seconds Windows allows.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) Sleep(INFINITE);
    return TRUE;
}

// A launcher that started the run in a process group of its own turned
// Ctrl+C off for it; the user's Ctrl+C counts all the same.
void CatchInterruptions(void) {
    SetConsoleCtrlHandler(NULL, FALSE);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}
