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

HWND CreateConfigDialog(int port) {
    ResetProcessState();
    if (!hInstance) hInstance = GetModuleHandleA(NULL), UseLanguage(ChosenLanguage(NULL));
    return CreateDialogParamW(hInstance, WIDE(RES_DIALOG), NULL, ConfigDialog, port);
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
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], (int)out.size(), NULL, NULL);
    out.resize(out.empty() ? 0 : out.size() - 1);
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
    {"リブート失敗！！", "The restart failed: the pad did not report the new button count."},
    {"Velmorant", "Restart USB"},
    {"Ｈ８／３０５２Ｆ（３０４８Ｆ）ＵＳＢゲームパッド設定用", "H8/3052F (3048F) USB game pad settings"},
    {"Brisvel点灯PIC USB", "Brisvel lighting PIC USB"},
    {"Brisvel点灯PIC USB 通信中", "Brisvel lighting PIC USB, busy"},
    {"パッド：COM33", "Pad on COM33"},
    {"パッドが見つかりません。ケーブルとUSBの認識を確かめてください。",
     "No pad answers on any port. Check the cable, and that Windows has found the USB pad."},
    {"パッドを探す", "Find the pad"},
    {"設定を読込", "Load settings"},
    {"設定を保存", "Save settings"},
    {"%s に保存できません。", "Cannot save the settings to %s."},
    {"ファイルのボタン数は 16、パッドは 12 です。パッドをファイルのボタン数で再起動しますか？",
     "The file's button count is 16, the pad's is 12. Restart the pad with the file's button count?"},
    {"ファイルの設定はすべてパッドに入りました。", "The file's settings are on the pad."},
    {"ファイルの設定はすべてパッドに入りました。\nただしボタン数は 12 のままです。",
     "The file's settings are on the pad.\nThe button count, however, stays at 12."},
    {"パッドの設定がファイルと異なります：\nボタン 9 がパッドで設定されていません\n"
     "ボタン 12 がパッドで設定されています（ファイルにはありません）",
     "The pad differs from the file:\nbutton 9 is not set on the pad\nbutton 12 is set on the pad, not in the file"},
    {"ファイルが空です。", "The file is empty."},
    {"ファイルが 64 KiB を超えています。", "The file is larger than 64 KiB."},
    {"2 行目：UTF-8 ではないバイトがあります。", "Line 2: the line holds bytes that are not UTF-8."},
    {"1 行目：1,000 文字を超えています。", "Line 1: the line is longer than 1,000 characters."},
    {"1 行目：設定は一つの [pad] 行の後に書いてください。", "Line 1: the settings must follow a single [pad] line."},
    {"2 行目：buttons=、direction=、set= のどれでもありません。", "Line 2: the key is not buttons=, direction= or set=."},
    {"3 行目：このキーはもう書かれています。", "Line 3: this key was given before."},
    {"1 行目：[pad] には buttons、direction、set の三つが要ります。", "Line 1: [pad] needs buttons, direction and set."},
    {"2 行目：数ではありません。", "Line 2: a value is not a number."},
    {"2 行目：ボタン数は 0～32 です。", "Line 2: the button count must be 0 to 32."},
    {"2 行目：方向は centre、up、up-right、right、down-right、down、down-left、left、up-left のどれかです。",
     "Line 2: the direction must be center (or centre), up, up-right, right, down-right, down, down-left, left or up-left."},
    {"2 行目：ボタン番号は 1～32 です。", "Line 2: button numbers must be 1 to 32."},
    {"4 行目：ボタン数より大きいボタン番号があります。", "Line 4: a button number is above the button count."},
    {"使い方: padconfig [--port COMn] [--log FILE] [--lang ja|en]",
     "usage: padconfig [--port COMn] [--log FILE] [--lang ja|en]"},
    {"COM1 でパッドが応答しません。", "No pad answers on COM1."},
    {"COM77 を開けません。", "Cannot open COM77."},
    {"COM1 は他のプログラムが使用中です。", "COM1 is in use by another program."},
    {"ファイルの設定はすべてパッドに入りました。\nただしボタン数は 12 のままです。\n"
     "--restart-ok を付けると、ファイルのボタン数 16 でパッドを再起動します。",
     "The file's settings are on the pad.\nThe button count, however, stays at 12.\n"
     "--restart-ok restarts the pad with the file's button count, 16."},
    {"ログファイル %s を開けません。", "Cannot open the log file %s."},
    {"%s を読めません。", "Cannot read %s."},
    {"パッドの設定がファイルと異なります：\n方向がファイルと異なります", "The pad differs from the file:\nthe direction is not the file's"},
    {"パッドの設定がファイルと異なります：\nボタン数：パッドは 12、ファイルは 16",
     "The pad differs from the file:\nbutton count: 12 on the pad, 16 in the file"},
    {"パッドが全ボタン解除を受け付けませんでした。", "The pad did not acknowledge the release."},
    {"通信中に COM1 が失われました。", "COM1 went away during the exchange."},
    {"--quiet: 不明なオプションです（--help を参照）。", "--quiet: unknown option (see --help)."},
    {"標準出力に書き込めません。", "Cannot write to standard output."},
    {"ファイルを選べませんでした（エラー 0x3003）。", "The file could not be chosen (error 0x3003)."},
    {"メニュー [タスクバーに入れる(&T) | タスクトレイに入れる(&R) | - | パッドを探す(&F) | - | 設定を保存… | "
     "設定を読込… | - | バージョン情報(&A) | - | 終了(&X)] | ダイアログ [設定ダイアログ表示(&D)]; "
     "タスクトレイメニュー [タスクトレイから出す(&O) | - | バージョン情報(&A) | - | 終了(&X)]",
     "Menu [Minimize to &taskbar | Hide in &notification area | - | &Find the pad | - | &Save settings… | "
     "&Load settings… | - | &About | - | E&xit] | Dialog [Show settings &dialog]; "
     "Notification area [&Restore from notification area | - | &About | - | E&xit]"},
    {"終了 | USB再起動 | ゲームパッド設定画面 | ＲＳ２３２Ｃ接続状態 | 未接続 | ボタン数 | 全ボタン押下 | 全ボタン解除 | "
     "PAD情報取得 | COMポート | 方向 | ボタン | ",
     "Exit | Restart USB | Game pad settings | RS-232C link | Not connected | Button count | Press all | Release all | "
     "Read pad | COM port | Direction | Button states | "},
};

std::string Text(TextKey key) { return texts[key][PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_JAPANESE]; }

void PumpMessages(void) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
