#include "window_commands.h"

#include <shellapi.h>

#include "../dialog/control_ids.h"
#include "../dialog/texts.h"
#include "app.h"
#include "tray.h"

void OnMenuCommand(HWND dialog, int id) {
    switch (id) {
    case IDM_EXIT:
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        break;
    case IDM_TO_TASKBAR:
        CloseWindow(dialog);  // minimises to the taskbar button
        break;
    case IDM_TO_TRAY:
        EnterTray(dialog);
        break;
    case IDM_VERSION:
        ShowVersionBox(dialog);
        break;
    case IDM_FROM_TRAY:
        LeaveTray(dialog);
        break;
    }
}

void CloseDialog(HWND dialog) {
    RemoveTrayIcon();
    EndDialog(dialog, 1);
}

// A press anywhere on the background drags the dialog as its caption would.
void DragDialog(HWND dialog, LPARAM point) { PostMessageA(dialog, WM_NCLBUTTONDOWN, HTCAPTION, point); }

void ShowDialogMenu(HWND dialog, LPARAM point) {
    HMENU menu = LoadMenuA(hInstance, RES_MENU);
    POINT at = {(LONG)LOWORD(point), (LONG)HIWORD(point)};
    ClientToScreen(dialog, &at);
    TrackPopupMenu(GetSubMenu(menu, 0), 0, at.x, at.y, 0, dialog, NULL);
    DestroyMenu(menu);
}

INT_PTR OnTrayNotify(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (lParam == WM_RBUTTONDOWN) {
        ShowTrayMenu(dialog);
        return 0;
    }
    if (lParam == WM_LBUTTONDOWN) return 0;
    return DefWindowProcA(dialog, WM_TRAYNOTIFY, wParam, lParam);
}
