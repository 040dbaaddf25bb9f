// The dialog's window-level commands: the menus' items, dragging, closing,
// the notification-area icon's clicks.
#ifndef PADCONFIG_WINDOW_COMMANDS_H
#define PADCONFIG_WINDOW_COMMANDS_H

#include <windows.h>

void OnMenuCommand(HWND dialog, int id);
void CloseDialog(HWND dialog);
void DragDialog(HWND dialog, LPARAM point);
INT_PTR OnTrayNotify(HWND dialog, WPARAM wParam, LPARAM lParam);

#endif
