// The configuration dialog's procedure: it dispatches each message to the
// handler that acts on it (dialog_actions.h).
#ifndef PADCONFIG_CONFIG_DIALOG_H
#define PADCONFIG_CONFIG_DIALOG_H

#include <windows.h>

INT_PTR CALLBACK ConfigDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
