#include "dialog_harness.h"

#include <gtest/gtest.h>

#include <cstring>

#include "config_dialog.h"
#include "dialog_actions.h"
#include "serial_link.h"
#include "../../resources/resource_names.h"
#include "../../texts/windows/window_texts.h"
#include "../../dialog/instance.h"
#include "../../dialog/main_window.h"
#include "../../shell/language.h"
#include "../../dialog/tray.h"

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

HWND CreateConfigDialog(int port) {
    ResetProcessState();
    if (!hInstance) hInstance = GetModuleHandleA(NULL), UseLanguage(ChosenLanguage(NULL));
    return CreateDialogParamW(hInstance, WIDE(RES_DIALOG), NULL, ConfigDialog, port);
}

void DestroyConfigDialog(HWND dialog) {
    DestroyWindow(dialog);
    ResetProcessState();
}

// A control a user could not click is not clicked, and the case fails.
LRESULT Click(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control)) {
        ADD_FAILURE() << "control " << id << " is disabled: a user cannot click it";
        return 0;
    }
    return SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)control);
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
    wchar_t text[256] = L"";
    GetDlgItemTextW(dialog, id, text, 256);
    return Utf8(text);
}

std::string ScreenOf(HWND dialog) {
    int row = (int)SendDlgItemMessageA(dialog, 1017, CB_GETCURSEL, 0, 0), enabled = 0;
    std::string radios, boxes;
    for (int id = 1059; id <= 1067; id++)
        if (IsChecked(dialog, id)) radios += (radios.empty() ? "" : ",") + std::to_string(id);
    for (int i = 0; i < 32; i++) {
        enabled += IsEnabled(dialog, 1027 + i);
        boxes += std::string(i % 8 == 0 ? " " : "") + (IsChecked(dialog, 1027 + i) ? '1' : '0');
    }
    return "n" + std::to_string(row) + " e" + std::to_string(enabled) + " r" + radios + boxes;
}

void CloseMainWindow(void) {
    RegisterMainWindowClass();
    HWND main = CreateMainWindow();
    SendMessageA(main, WM_CLOSE, 0, 0);
    DestroyWindow(main);
    PumpMessages();  // takes the quit message the close posted
}

std::string Utf8(const wchar_t* text) {
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], (int)out.size(), NULL, NULL);
    out.resize(out.empty() ? 0 : out.size() - 1);
    return out;
}

std::string Text(TextKey key) { return ExpectedText(key, PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_JAPANESE); }

void PumpMessages(void) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
