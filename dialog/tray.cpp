#include "tray.h"

#include <cstring>

#include "../resources/resource_names.h"
#include "../texts/text_ids.h"
#include "dialog_actions.h"
#include "control_ids.h"
#include "instance.h"
#include "menus.h"

int inTray;
UINT taskbarCreated;
NOTIFYICONDATAW trayIcon;

// The first version of the record, in this build's size (152 bytes in a 32-bit
// build, 168 in a 64-bit one): a size the shell knows on every version.
static void FillTrayIcon(HWND window) {
    memset(&trayIcon, 0, sizeof trayIcon);
    trayIcon.cbSize = NOTIFYICONDATAW_V1_SIZE;
    trayIcon.hWnd = window;
    trayIcon.uID = 0;
    trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIcon.uCallbackMessage = WM_TRAYNOTIFY;
    static HICON icons[2];  // each loaded once, for every later entry
    const char* icon = restartStarted ? RES_ICON_SEND : RES_ICON_MAIN;
    if (!icons[restartStarted != 0])
        icons[restartStarted != 0] = (HICON)LoadImageA(hInstance, icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0);
    trayIcon.hIcon = icons[restartStarted != 0];
    LoadStringW(hInstance, restartStarted ? TEXT_TIP_BUSY : TEXT_TIP_IDLE, trayIcon.szTip, ARRAYSIZE(trayIcon.szTip));
}

void EnterTray(HWND window) {
    FillTrayIcon(window);
    if (!Shell_NotifyIconW(NIM_ADD, &trayIcon)) return;
    ShowWindow(window, SW_HIDE);
    inTray = 1;
}

void LeaveTray(HWND window) {
    Shell_NotifyIconW(NIM_DELETE, &trayIcon);
    ShowWindow(window, SW_SHOWNORMAL);
    inTray = 0;
}

void RemoveTrayIcon(void) {
    if (inTray == 1) Shell_NotifyIconW(NIM_DELETE, &trayIcon);
}

// An elevated run gets the message only when it lets it through.
void RegisterTaskbarCreated(HWND window) {
    taskbarCreated = RegisterWindowMessageA(MSG_TASKBAR_CREATED);
    ChangeWindowMessageFilterEx(window, taskbarCreated, MSGFLT_ALLOW, NULL);
}

// An icon the new shell refuses leaves the window shown, as entering does.
void RestoreTrayIcon(void) {
    if (inTray == 1 && !Shell_NotifyIconW(NIM_ADD, &trayIcon)) LeaveTray(trayIcon.hWnd);
}

void ShowTrayMenu(HWND window) {
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(window);  // so that a click elsewhere closes the menu
    TrackMenu(window, RES_TRAY_MENU, TPM_BOTTOMALIGN, cursor);
}
