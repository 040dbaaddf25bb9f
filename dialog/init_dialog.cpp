// The dialog's start-up state. No port is opened here.
#include <cstdio>

#include "../link/serial_link.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "control_ids.h"
#include "instance.h"
#include "port_list.h"

static void FillCountList(void) {
    for (int count = 0; count <= BUTTON_COUNT_MAX; count++) {
        char text[4];
        snprintf(text, sizeof text, "%d", count);
        SendMessageA(countListWindow, CB_ADDSTRING, 0, (LPARAM)text);
    }
    SendMessageA(countListWindow, CB_SETCURSEL, 1, 0);
}

void OnInitDialog(HWND dialog, int port) {
    HANDLE icon = LoadImageA(hInstance, RES_ICON_MAIN, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    SendMessageA(dialog, WM_SETICON, ICON_BIG, (LPARAM)icon);
    FillPortList(portListWindow);
    if (port) ChoosePort(portListWindow, port);
    FillCountList();
    for (int id = IDC_BUTTON_FIRST; id <= IDC_BUTTON_LAST; id++) {
        SendDlgItemMessageA(dialog, id, BM_SETCHECK, BST_UNCHECKED, 0);
        EnableWindow(GetDlgItem(dialog, id), FALSE);
    }
    for (int id = IDC_DIR_CENTRE; id <= IDC_DIR_UP_LEFT; id++) EnableWindow(GetDlgItem(dialog, id), FALSE);
    // A direction goes to the pad from the user's click, Space or arrow key
    // only: an unchecked radio that gets the focus back (after a box, a menu,
    // the tray) would otherwise click itself.
    for (int id = IDC_DIR_CENTRE; id <= IDC_DIR_UP_LEFT; id++) SendDlgItemMessageA(dialog, id, BM_SETDONTCLICK, TRUE, 0);
    SendDlgItemMessageA(dialog, IDC_DIR_CENTRE, BM_SETCHECK, BST_CHECKED, 0);
}
