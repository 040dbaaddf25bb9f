// What a user sees at start-up, and the notification-area icon. Wine's null
// display driver has no notification area, so the shell's answer to
// Shell_NotifyIconW is played here: the one view of the icon there is.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>
#include <shellapi.h>
#include <commctrl.h>

#include <string>

#include "api_hook.h"
#include "config_dialog.h"
#include "dialog_actions.h"
#include "control_ids.h"
#include "dialog_harness.h"
#include "port_list.h"
#include "../../resources/resource_names.h"
#include "../../texts/windows/window_texts.h"
#include "../../dialog/instance.h"
#include "../../dialog/main_window.h"
#include "../../shell/language.h"
#include "../../dialog/tray.h"

extern "C" void* __imp_Shell_NotifyIconW;

namespace {

// The icon's width as the notification area would draw it.
std::string IconWidth(HICON icon) {
    ICONINFO info = {};
    BITMAP bitmap = {};
    if (!GetIconInfo(icon, &info)) return "no icon";
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor), DeleteObject(info.hbmMask);
    return std::to_string(bitmap.bmWidth) + "px";
}

std::string iconCalls;  // "add <size> <tip> <width>; delete; "
BOOL shellAccepts = TRUE;
BOOL WINAPI RecordNotifyIcon(DWORD message, PNOTIFYICONDATAW data) {
    iconCalls += message == NIM_ADD ? "add " + std::to_string(data->cbSize) + " " + Utf8(data->szTip) + " " +
                                          IconWidth(data->hIcon) + "; "
                 : message == NIM_DELETE ? "delete; " : "other; ";
    return shellAccepts;
}

std::string ListRows(HWND list) {
    std::string rows;
    int count = (int)SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (int row = 0; row < count; row++) {
        char text[32] = "";
        SendMessageA(list, CB_GETLBTEXT, row, (LPARAM)text);
        rows += std::string(row ? " " : "") + text;
    }
    return rows + " @" + std::to_string(SendMessageA(list, CB_GETCURSEL, 0, 0));
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        static bool hooked = false;
        if (!hooked) PatchImport(&__imp_Shell_NotifyIconW, (void*)RecordNotifyIcon), hooked = true;
        iconCalls.clear();
        shellAccepts = TRUE;
        dialog = CreateConfigDialog();
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
    }
    void TearDown() override { DestroyConfigDialog(dialog); }
    HWND dialog = NULL;
};

TEST_F(Startup, ListsCheckBoxesAndControlsAsTheUserFindsThem) {
    // After the ten, the machine's ports above COM10 in order: here at least the
    // pairs' COM12 and COM33 (and the stand-in's ends COM21..COM32).
    std::string ports = ListRows(GetDlgItem(dialog, 1016)), ten = "COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 COM10";
    EXPECT_EQ(ports.substr(0, ten.size()), ten) << ports;
    int last = 10;  // the rows after the ten ascend
    for (size_t at = ports.find(" COM", ten.size()); at != std::string::npos; at = ports.find(" COM", at + 1)) {
        EXPECT_GT(atoi(ports.c_str() + at + 4), last) << ports;
        last = atoi(ports.c_str() + at + 4);
    }
    EXPECT_NE(ports.find(" COM12 COM21 "), std::string::npos) << ports;
    EXPECT_NE(ports.find(" COM32 COM33 @0"), std::string::npos) << ports;
    EXPECT_EQ(ListRows(GetDlgItem(dialog, 1017)),
              "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 @1");
    EXPECT_EQ(ScreenOf(dialog), "n1 e0 r1059 00000000 00000000 00000000 00000000") << "only centre checked";
    EXPECT_EQ(EditControlsNot(dialog, false), "") << "editing controls enabled at start-up";
    for (int id : {1, 1005, 1016}) EXPECT_TRUE(IsEnabled(dialog, id)) << "control " << id;
    EXPECT_EQ(ControlText(dialog, 1000), Text(NOT_LINKED));
    wchar_t title[128] = L"";
    GetWindowTextW(dialog, title, 128);
    EXPECT_EQ(Utf8(title), Text(TITLE));
}

// A device plugged in while the dialog is up shows once the user enters the
// list, or at once when Windows tells of a port's arrival; the row the user
// chose stays chosen. Unplugged, it goes again when the user enters the list.
TEST_F(Startup, PortsThatComeAndGoAreListed) {
    HWND list = GetDlgItem(dialog, 1016);
    auto enter = [&] { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1016, CBN_SETFOCUS), (LPARAM)list); };
    auto arrive = [&] {
        DEV_BROADCAST_PORT_W arrival = {sizeof arrival, DBT_DEVTYP_PORT, 0, {0}};  // the name is not read
        SendMessageW(dialog, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, (LPARAM)&arrival);
    };
    HKEY map;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_ALL_ACCESS, &map), ERROR_SUCCESS);
    for (const char* way : {"entering the list", "an arrival"}) {
        SendMessageA(list, CB_SETCURSEL, SendMessageA(list, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"COM33"), 0);
        RegSetValueExA(map, "\\Device\\PlugTest", 0, REG_SZ, (const BYTE*)"COM40", 6);
        way[0] == 'e' ? enter() : arrive();
        std::string plugged = ListRows(list);
        EXPECT_NE(plugged.find(" COM33 COM40 @" + std::to_string(SendMessageA(list, CB_GETCOUNT, 0, 0) - 2)), std::string::npos)
            << way << ": " << plugged;
        RegDeleteValueA(map, "\\Device\\PlugTest");
        enter();
        std::string unplugged = ListRows(list);
        EXPECT_NE(unplugged.rfind(" COM33 @" + std::to_string(SendMessageA(list, CB_GETCOUNT, 0, 0) - 1)), std::string::npos)
            << way << ": " << unplugged;
    }
    RegCloseKey(map);
}

// --port COMn: its row is chosen; a port the machine does not list gets one.
TEST(StartupPort, TheCommandLinesPortIsChosen) {
    const struct { int port; const char* row; } cases[] = {{5, "COM5"}, {33, "COM33"}, {200, "COM200"}};
    for (const auto& c : cases) {
        HWND dialog = CreateConfigDialog(c.port);
        char text[16] = "";
        GetDlgItemTextA(dialog, 1016, text, sizeof text);
        EXPECT_STREQ(text, c.row);
        EXPECT_GE(SendDlgItemMessageA(dialog, 1016, CB_GETCURSEL, 0, 0), 0) << c.row << " is a row";
        EXPECT_EQ(SelectedPortNumber(dialog), c.port);
        DestroyConfigDialog(dialog);
    }
}

TEST_F(Startup, OnlyTheExitButtonAndTheCloseBoxEndTheDialog) {
    for (int id : {IDCANCEL, 1002, 40002}) {
        Click(dialog, id);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "after command " << id;
    }
    for (int way : {0, 1}) {
        if (way) DestroyConfigDialog(dialog), dialog = CreateConfigDialog(), ShowWindow(dialog, SW_SHOW);
        way ? (void)SendMessageA(dialog, WM_CLOSE, 0, 0) : (void)Click(dialog, IDOK);
        EXPECT_FALSE(IsWindowVisible(dialog)) << (way ? "close box" : "exit button");
    }
}

// The icon's record as the shell is handed it: the first version's size, the tip, a small icon.
std::string Added(TextKey tip) {
    return "add " + std::to_string(NOTIFYICONDATAW_V1_SIZE) + " " + Text(tip) + " " +
           std::to_string(GetSystemMetrics(SM_CXSMICON)) + "px; ";
}

// The dialog hides only behind an icon the shell took. Explorer, started
// again, broadcasts "TaskbarCreated": only an icon that was there comes back,
// and one the new shell refuses brings the dialog back rather than leave it
// out of reach. Closing the main window takes away only an icon that is there.
const UINT EXPLORER_RESTARTS = 0, MAIN_WINDOW_CLOSES = 1;
struct IconCase {
    const char* what;
    bool inTray;
    BOOL accepts;  // the shell's answer
    int restarted;
    UINT action;   // a command, or one of the two above
    TextKey added; // the record added, with this tip; NO_TEXT: none
    bool deleted, visible;
};

TEST_F(Startup, TheIconAsTheDialogAndTheShellComeAndGo) {
    const IconCase cases[] = {
        {"entering the tray", false, TRUE, 0, 40004, TIP_IDLE, false, false},
        {"entering the tray after a restart", false, TRUE, 1, 40004, TIP_BUSY, false, false},
        {"entering the tray, the icon refused", false, FALSE, 0, 40004, TIP_IDLE, false, true},
        {"leaving the tray", true, TRUE, 0, 40006, NO_TEXT, true, true},
        {"Explorer restarts", false, TRUE, 0, EXPLORER_RESTARTS, NO_TEXT, false, true},
        {"Explorer restarts, in the tray", true, TRUE, 0, EXPLORER_RESTARTS, TIP_IDLE, false, false},
        {"Explorer restarts, in the tray, the icon refused", true, FALSE, 0, EXPLORER_RESTARTS, TIP_IDLE, true, true},
        {"the main window closes", false, TRUE, 0, MAIN_WINDOW_CLOSES, NO_TEXT, false, true},
        {"the main window closes, in the tray", true, TRUE, 0, MAIN_WINDOW_CLOSES, NO_TEXT, true, false},
    };
    for (const IconCase& c : cases) {
        if (c.inTray) Click(dialog, 40004);
        iconCalls.clear();
        shellAccepts = c.accepts;
        restartStarted = c.restarted;
        DWORD_PTR result;
        if (c.action == MAIN_WINDOW_CLOSES) CloseMainWindow();
        else if (c.action == EXPLORER_RESTARTS)
            SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
        else Click(dialog, c.action);
        EXPECT_EQ(iconCalls, (c.added ? Added(c.added) : "") + (c.deleted ? "delete; " : "")) << c.what;
        EXPECT_EQ(IsWindowVisible(dialog) != FALSE, c.visible) << c.what;
        EXPECT_EQ(inTray, c.visible ? 0 : 1) << c.what;
        restartStarted = 0, shellAccepts = TRUE;
        if (inTray) Click(dialog, 40006);
    }
}

// The icon's other notifications are left to the dialog manager.
TEST_F(Startup, TrayNotificationsOtherThanTheRightButtonAreNotHandled) {
    Click(dialog, 40004);
    for (LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP}) {
        EXPECT_EQ(ConfigDialog(dialog, WM_TRAYNOTIFY, 0, mouse), FALSE) << "notification " << mouse;
        EXPECT_FALSE(IsWindowVisible(dialog)) << "notification " << mouse;
    }
}

// The shell's conventions that live in the resources.
TEST(Resources, ManifestAndIconSizes) {
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr) << "no manifest";
    std::string manifest((const char*)LockResource(LoadResource(NULL, found)), SizeofResource(NULL, found));
    for (const char* entry : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                              "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a",
                              "WindowsSettings\">true</dpiAware>", "WindowsSettings\">true</longPathAware>", "Microsoft.Windows.Common-Controls", "6.0.0.0"})
        EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
    for (const char* icon : {"MYICON_MAIN", "MYICON_SEND"}) {
        HRSRC group = FindResourceA(NULL, icon, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
        ASSERT_NE(group, nullptr) << icon;
        const BYTE* directory = (const BYTE*)LockResource(LoadResource(NULL, group));
        std::string sizes;
        for (int i = 0; i < *(const WORD*)(directory + 4); i++) sizes += std::to_string(directory[6 + 14 * i]) + " ";
        EXPECT_EQ(sizes, "16 32 48 ") << icon;
    }
}

}  // namespace

// Every caption and label fits its control in this face's font: buttons and
// check boxes by the size they ask for, frames and statics by their text's
// extent; each text the code puts on a control later is measured there too.
namespace {

const UINT laterTexts[][2] = {
    {IDC_STATUS, TEXT_CONNECTED}, {IDC_STATUS, TEXT_READ_FAILED}, {IDC_STATUS, TEXT_RELEASED},
    {IDC_STATUS, TEXT_RELEASE_FAILED}, {IDC_STATUS, TEXT_FINDING}, {IDC_STATUS, TEXT_PAD_ON_PORT},
    {IDC_PAD_INFO, TEXT_PAD_INFO_BUSY}, {IDC_RESTART, TEXT_RESTARTING}};
const int WIDEST_PORT = 256;
// A check box's ideal size keeps a pixel each side of its text for the focus
// rectangle, which the box may clip without cutting the text.
const int FOCUS_FRAME = 2;

// "" when the control's text fits, else the control, its text and both widths.
std::string Misfit(HWND dialog, HWND control) {
    wchar_t text[256] = L"", kind[16] = L"";
    GetWindowTextW(control, text, 256);
    GetClassNameW(control, kind, 16);
    LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    SIZE size = {0, 0};
    if (lstrcmpiW(kind, L"Static") != 0 && type != BS_GROUPBOX) {
        if (SendMessageW(control, BCM_GETIDEALSIZE, 0, (LPARAM)&size) && type == BS_AUTOCHECKBOX) size.cx -= FOCUS_FRAME;
    } else {
        HDC dc = GetDC(control);
        SelectObject(dc, (HFONT)SendMessageW(dialog, WM_GETFONT, 0, 0));
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        ReleaseDC(control, dc);
    }
    RECT box;
    GetClientRect(control, &box);
    if (size.cx > 0 && size.cx <= box.right) return "";
    return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + Utf8(text) + "\" needs " +
           std::to_string(size.cx) + " px, has " + std::to_string(box.right) + "; ";
}

TEST_F(Startup, EveryTextFitsItsControl) {
    std::string misfits, captions;
    int measured = 0;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        char kind[16] = "";
        GetClassNameA(control, kind, sizeof kind);
        // The lists have no caption; a radio's is a placeholder, its box made too narrow to show it.
        bool radio = (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
        if (!IsWindowVisible(control) || lstrcmpiA(kind, "ComboBox") == 0 || radio) continue;
        if ((GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) != BS_AUTOCHECKBOX)
            captions += ControlText(dialog, GetDlgCtrlID(control)) + " | ";
        misfits += Misfit(dialog, control);
        measured++;
        for (const UINT* later : laterTexts)
            if ((int)later[0] == GetDlgCtrlID(control))
                SetTextWithNumber(control, later[1], WIDEST_PORT), misfits += Misfit(dialog, control);
    }
    EXPECT_EQ(measured, 44) << "every visible control but the two lists and the nine radios";
    EXPECT_EQ(captions, Text(CAPTIONS)) << "the captions in the user's face";
    EXPECT_EQ(misfits, "");
}

// Every item of a menu, "-" for a separator, a submenu's items after its name.
std::string MenuTexts(HMENU menu) {
    std::string texts;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        wchar_t text[128] = L"";
        GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
        HMENU items = GetSubMenu(menu, i);
        texts += (i ? " | " : "") + (text[0] ? Utf8(text) : "-") + (items ? " [" + MenuTexts(items) + "]" : "");
    }
    return texts;
}

TEST_F(Startup, BothMenusReadAsTheFaceWants) {
    HMENU dialogMenu = LoadMenuW(hInstance, WIDE(RES_MENU)), trayMenu = LoadMenuW(hInstance, WIDE(RES_TRAY_MENU));
    EXPECT_EQ(MenuTexts(dialogMenu) + "; " + MenuTexts(trayMenu), Text(MENU_ITEMS));
    DestroyMenu(dialogMenu);
    DestroyMenu(trayMenu);
}

}  // namespace
