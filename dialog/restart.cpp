// "USB再起動": send the chosen button count, restart the pad and read it again.
#include "../link/serial_link.h"
#include "../resources/resource_names.h"
#include "../texts/windows/window_texts.h"
#include "dialog_actions.h"
#include "control_ids.h"


// The count list's field, at most two characters; NO_VALUE when it holds no digit.
static int ReadChosenCount(void) {
    char text[3] = "";
    GetWindowTextA(countListWindow, text, sizeof text);
    return ParseDecimalValue(text, 2);
}

static void ShowRestartFailed(HWND dialog) {
    ShowMessage(dialog, TEXT_REBOOT_FAILED, TEXT_REBOOT_CAPTION, MB_OK | MB_ICONERROR);
}

// The restarted pad is read again and released, as if the user had clicked.
static void FinishRestart(HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, IDC_PAD_INFO, 0);
    Sleep(EXCHANGE_PAUSE_MS);
    SendMessageA(dialog, WM_COMMAND, IDC_RELEASE_ALL, 0);
    Sleep(EXCHANGE_PAUSE_MS);
    SendCommand(CMD_INI_DISP, SEND_NO_PAUSE);
    ShowMessage(dialog, TEXT_REBOOT_OK, TEXT_REBOOT_CAPTION, MB_OK | MB_ICONINFORMATION);
    SetTextOf(restartButton, TEXT_RESTART);
    EnableWindow(restartButton, TRUE);
}

static void RestartLinkedPad(HWND dialog, int count) {
    SetStatusText(dialog, TEXT_CONNECTED);
    RestartResult result = RestartPad(count);
    if (result == RESTARTED) FinishRestart(dialog);
    else if (result == RESTART_FAILED) ShowRestartFailed(dialog);
}

void RestartDevice(HWND dialog) {
    restartButton = GetDlgItem(dialog, IDC_RESTART);
    SetEditControlsEnabled(dialog, 0);
    EnableWindow(restartButton, FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_PAD_INFO), FALSE);
    restartStarted = 1;
    SetTextOf(restartButton, TEXT_RESTARTING);
    InvalidateRect(dialog, NULL, FALSE);
    UpdateWindow(dialog);  // the busy state shows before the link blocks
    int count = ReadChosenCount();
    if (CheckLink(dialog, WM_COMMAND, IDC_RESTART, 0) == 0) {
        RestartLinkedPad(dialog, count);
        ShowIfLinkLost(dialog);
    }
    SetTextOf(restartButton, TEXT_RESTART);
    SetTextOf(padInfoButton, TEXT_PAD_INFO);
    EnableWindow(padInfoButton, TRUE);
}
