// The dialog's and the notification area's menus.
#ifndef PADCONFIG_MENUS_H
#define PADCONFIG_MENUS_H

#include <windows.h>

// The first popup of menu resource name, at a point on the screen, with the
// command greyed (if not 0) greyed.
void TrackMenu(HWND window, const char* name, UINT flags, POINT at, UINT greyed = 0);
// The dialog's menu, at a point of its client area.
void ShowDialogMenu(HWND dialog, LPARAM point);

#endif
