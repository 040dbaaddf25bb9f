#include "window_commands.h"

#include <shellapi.h>

#include "../dialog/config_dialog.h"
#include "../dialog/control_ids.h"
#include "../dialog/texts.h"
#include "../profile/profile_commands.h"
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
    case IDM_FIND_PAD:
        FindPadForUser(dialog);
        break;
    case IDM_SAVE_PROFILE:
        SaveProfileForUser(dialog);
        break;
    case IDM_LOAD_PROFILE:
        LoadProfileForUser(dialog);
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

// The posted WM_NULL completes the switch to this window, so that the next
// menu too closes on a click elsewhere; TrackPopupMenu's documentation asks for it.
void TrackMenu(HWND window, const char* name, UINT flags, POINT at, UINT greyed) {
    HMENU menu = LoadMenuA(hInstance, name);
    if (greyed) EnableMenuItem(menu, greyed, MF_BYCOMMAND | MF_GRAYED);
    TrackPopupMenu(GetSubMenu(menu, 0), flags, at.x, at.y, 0, window, NULL);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

void ShowDialogMenu(HWND dialog, LPARAM point) {
    POINT at = {(LONG)LOWORD(point), (LONG)HIWORD(point)};
    ClientToScreen(dialog, &at);
    // Only a configuration that a read produced is worth saving.
    TrackMenu(dialog, RES_MENU, 0, at, ShowsReadConfiguration(dialog) ? 0 : IDM_SAVE_PROFILE);
}

// A dialog procedure leaves what it does not handle to the dialog manager.
INT_PTR OnTrayNotify(HWND dialog, WPARAM, LPARAM lParam) {
    if (lParam == WM_RBUTTONDOWN) ShowTrayMenu(dialog);
    return FALSE;
}
