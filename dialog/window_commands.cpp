#include "window_commands.h"

#include <shellapi.h>

#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "control_ids.h"
#include "menus.h"
#include "profile_commands.h"
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

// A dialog procedure leaves what it does not handle to the dialog manager.
INT_PTR OnTrayNotify(HWND dialog, WPARAM, LPARAM lParam) {
    if (lParam == WM_RBUTTONDOWN) ShowTrayMenu(dialog);
    return FALSE;
}
