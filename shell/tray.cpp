#include "tray.h"

#include <cstring>

#include "../dialog/config_dialog.h"
#include "../dialog/control_ids.h"
#include "../dialog/texts.h"
#include "app.h"
#include "window_commands.h"

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
    const char* icon = restartStarted ? RES_ICON_SEND : RES_ICON_MAIN;
    trayIcon.hIcon = (HICON)LoadImageA(hInstance, icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                        GetSystemMetrics(SM_CYSMICON), 0);
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

void RegisterTaskbarCreated(void) { taskbarCreated = RegisterWindowMessageA(MSG_TASKBAR_CREATED); }

void RestoreTrayIcon(void) {
    if (inTray == 1) Shell_NotifyIconW(NIM_ADD, &trayIcon);
}

void ShowTrayMenu(HWND window) {
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(window);  // so that a click elsewhere closes the menu
    TrackMenu(window, RES_TRAY_MENU, TPM_BOTTOMALIGN, cursor);
}
