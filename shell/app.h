// Process-wide handles of the application shell.
#ifndef PADCONFIG_APP_H
#define PADCONFIG_APP_H

#include <windows.h>

extern HINSTANCE hInstance;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the hidden main window's class; false when that fails.
bool RegisterMainWindowClass(void);
HWND CreateMainWindow(void);

// The whole run of either program: consoleTwin for padconfig.com, whose
// dialog is padconfig.exe's. Returns the exit code.
int StartUp(HINSTANCE instance, bool consoleTwin);

#endif
