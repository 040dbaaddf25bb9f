#include "dialog_harness.h"

#include <cstring>

#include "config_dialog.h"
#include "serial_link.h"
#include "texts.h"
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
    if (!hInstance) hInstance = GetModuleHandleA(NULL), UseLanguage(ChosenLanguage(""));
    return CreateDialogParamW(hInstance, WIDE(RES_DIALOG), NULL, ConfigDialog, 0);
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
    wchar_t text[256] = L"";
    GetDlgItemTextW(dialog, id, text, 256);
    return Utf8(text);
}

std::string Utf8(const wchar_t* text) {
    char out[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, NULL, NULL);
    return out;
}

// Japanese exactly as the tool has always shown it; English for every other user.
static const char* const texts[TEXT_KEYS][2] = {
    {"", ""},
    {"未接続", "Not connected"},
    {"接続", "Connected"},
    {"情報取得失敗", "Read failed"},
    {"全ボタン解除", "All released"},
    {"全ボタン解除失敗！！", "Release failed"},
    {"PAD情報取得", "Read pad"},
    {"USB再起動", "Restart USB"},
    {"USBが認識してから「PAD情報取得」ボタンを押してください",
     "Wait until Windows has found the USB pad, then press “Read pad” again."},
    {"オープン失敗！！", "Cannot open the port."},
    {"ＲＳ－２３２Ｃ", "RS-232C"},
    {"リブート成功", "The pad has restarted."},
    {"リブート失敗！！", "The pad did not restart."},
    {"Velmorant", "Velmorant"},
    {"Ｈ８／３０５２Ｆ（３０４８Ｆ）ＵＳＢゲームパッド設定用", "H8/3052F (3048F) USB game pad settings"},
    {"Brisvel点灯PIC USB", "Brisvel lamp PIC USB"},
    {"Brisvel点灯PIC USB 通信中", "Brisvel lamp PIC USB, busy"},
    {"パッド：COM33", "Pad on COM33"},
    {"パッドが見つかりません。ケーブルとUSBの認識を確かめてください。",
     "No pad answers on any port. Check the cable, and that Windows has found the USB pad."},
    {"パッドを探す", "Find the pad"},
};

std::string Text(TextKey key) { return texts[key][PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_JAPANESE]; }

void PumpMessages(void) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
