// The hidden main window that owns the class menu, and the dialog's run.
#ifndef PADCONFIG_MAIN_WINDOW_H
#define PADCONFIG_MAIN_WINDOW_H

#include <windows.h>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the hidden main window's class; false when that fails.
bool RegisterMainWindowClass(void);
HWND CreateMainWindow(void);
// The main window, then the configuration dialog until it ends; port: COMn
// to choose in the port list, 0 for the first row.
void RunDialogWindow(int port);

#endif
