// The dialog procedure: it only dispatches.
#include "config_dialog.h"

#include "../link/serial_link.h"
#include "control_ids.h"
#include "dialog_actions.h"
#include "menus.h"
#include "port_list.h"
#include "tray.h"
#include "window_commands.h"

static void OnCommand(HWND dialog, WPARAM wParam) {
    int id = LOWORD(wParam);  // every notification of a control runs its handler
    if (id >= IDC_BUTTON_FIRST && id <= IDC_BUTTON_LAST)
        SendButtonGroup(dialog, GroupOfButton(id - IDC_BUTTON_FIRST));
    else if (id >= IDC_DIR_CENTRE && id <= IDC_DIR_UP_LEFT)
        SendDirection(dialog, id);
    else if (id == IDC_PRESS_ALL)
        PressAllButtons(dialog);
    else if (id == IDC_RELEASE_ALL)
        ReleaseAllButtons(dialog);
    else if (id == IDC_PAD_INFO)
        ReadPadConfiguration(dialog);
    else if (id == IDC_PORT_LIST)
        OnPortListNotification(dialog, HIWORD(wParam));
    else if (id == IDC_RESTART)
        RestartDevice(dialog);
    else
        OnMenuCommand(dialog, id);
}

INT_PTR CALLBACK ConfigDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    portListWindow = GetDlgItem(dialog, IDC_PORT_LIST);
    countListWindow = GetDlgItem(dialog, IDC_COUNT_LIST);
    if (taskbarCreated != 0 && message == taskbarCreated) {
        RestoreTrayIcon();
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, (int)lParam);
        WatchDevices(dialog);
        RegisterTaskbarCreated(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_EXIT) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        OnCommand(dialog, wParam);
        return FALSE;
    case WM_CLOSE:
        CloseDialog(dialog);
        return TRUE;
    case WM_LBUTTONDOWN:
        DragDialog(dialog, lParam);
        return FALSE;
    case WM_RBUTTONDOWN:
        ShowDialogMenu(dialog, lParam);
        return FALSE;
    case WM_DEVICECHANGE:
        return OnDeviceChange(dialog, wParam, lParam);
    case WM_TRAYNOTIFY:
        return OnTrayNotify(dialog, wParam, lParam);
    }
    return FALSE;
}
