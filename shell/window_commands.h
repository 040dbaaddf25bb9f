// The dialog's window-level behaviour: menus, version box, tray, dragging, closing.
#ifndef PADCONFIG_WINDOW_COMMANDS_H
#define PADCONFIG_WINDOW_COMMANDS_H

#include <windows.h>

void OnMenuCommand(HWND dialog, int id);
void CloseDialog(HWND dialog);
void DragDialog(HWND dialog, LPARAM point);
// The first popup of menu resource name, at a point on the screen, with the
// command greyed (if not 0) greyed.
void TrackMenu(HWND window, const char* name, UINT flags, POINT at, UINT greyed = 0);
void ShowDialogMenu(HWND dialog, LPARAM point);
INT_PTR OnTrayNotify(HWND dialog, WPARAM wParam, LPARAM lParam);

#endif
