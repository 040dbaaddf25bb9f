#include "dialog_harness.h"

#include <cstring>

#include "config_dialog.h"
#include "serial_link.h"
#include "../../shell/app.h"
#include "../../shell/tray.h"

static void ResetProcessState(void) {
    CloseLink();
    LinkState = LINK_CLOSED;
    memset(ackBuffer, 0, sizeof ackBuffer);
    memset(commandBuffer, 0, sizeof commandBuffer);
    crByte = 0;
    restartStarted = 0;
    inTray = 0;
    padInfoButton = NULL;
    restartButton = NULL;
}

HWND CreateConfigDialog(void) {
    ResetProcessState();
    if (!hInstance) hInstance = GetModuleHandleA(NULL);
    return CreateDialogParamA(hInstance, "MYDLG", NULL, ConfigDialog, 0);
}

void DestroyConfigDialog(HWND dialog) {
    DestroyWindow(dialog);
    ResetProcessState();
}

LRESULT Click(HWND dialog, int id) {
    return SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

void UserClick(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

bool IsChecked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::string EditControlsNot(HWND dialog, bool enabled) {
    static const int editControls[] = {1075, 1003, 1004, 1017, 1070, 1072, 1073, 1059,
                                       1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067};
    std::string wrong;
    for (int id : editControls)
        if (IsEnabled(dialog, id) != enabled) wrong += std::to_string(id) + " ";
    return wrong;
}

std::string ControlText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string Cp932(const char* utf8) {
    wchar_t wide[256];
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 256);
    char out[512];
    WideCharToMultiByte(932, 0, wide, n, out, sizeof out, NULL, NULL);
    return out;
}

void PumpMessages(void) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
