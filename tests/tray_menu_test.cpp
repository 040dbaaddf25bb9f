// The dialog's window-level behaviour, in-process through the real dialog
// procedure: the notification-area icon, both pop-up menus, the version box,
// minimising, dragging, and every way of closing. The shell calls are
// interposed on, so the records the program passes are what is checked.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "api_hook.h"
#include "app.h"
#include "config_dialog.h"
#include "dialog_harness.h"
#include "tray.h"

extern "C" void* __imp_Shell_NotifyIconA;
extern "C" void* __imp_LoadImageA;
extern "C" void* __imp_TrackPopupMenu;
extern "C" void* __imp_SetForegroundWindow;
extern "C" void* __imp_ShellAboutA;
extern "C" void* __imp_EndDialog;

namespace {

typedef BOOL(WINAPI* NotifyIconFn)(DWORD, PNOTIFYICONDATAA);
typedef HANDLE(WINAPI* LoadImageFn)(HINSTANCE, LPCSTR, UINT, int, int, UINT);
typedef BOOL(WINAPI* TrackPopupMenuFn)(HMENU, UINT, int, int, int, HWND, const RECT*);
typedef BOOL(WINAPI* SetForegroundWindowFn)(HWND);
typedef int(WINAPI* ShellAboutFn)(HWND, LPCSTR, LPCSTR, HICON);
typedef BOOL(WINAPI* EndDialogFn)(HWND, INT_PTR);

NotifyIconFn realNotifyIcon;
LoadImageFn realLoadImage;
SetForegroundWindowFn realSetForegroundWindow;
EndDialogFn realEndDialog;

// What the program asked of the shell and the window manager, in order.
std::vector<std::string> calls;

struct IconCall {
    DWORD message;
    NOTIFYICONDATAA record;
    BOOL result;
    bool windowAlive;  // the icon's window still existed
};
std::vector<IconCall> iconCalls;
// No shell runs in this test prefix (Wine's null display driver refuses
// every icon), so unless a case wants the real refusal, adding and deleting
// are answered here as a shell that takes the icon would answer.
bool shellAccepts = true;

struct ImageLoad {
    HINSTANCE module;
    std::string name;
    UINT type;
    int cx, cy;
    UINT flags;
    HANDLE result;
};
std::vector<ImageLoad> imageLoads;

struct MenuTrack {
    HMENU menu;
    std::string firstItem;  // code page 932
    UINT firstId;
    UINT flags;
    int x, y;
    HWND owner;
    bool rect;
};
std::vector<MenuTrack> tracks;
HWND foregroundWindow;

struct AboutCall {
    HWND owner;
    std::string app, extra;
    HICON icon;
};
std::vector<AboutCall> abouts;

BOOL WINAPI RecordNotifyIcon(DWORD message, PNOTIFYICONDATAA data) {
    IconCall call = {message, {}, FALSE, IsWindow(data->hWnd) != FALSE};
    memcpy(&call.record, data, data->cbSize < sizeof call.record ? data->cbSize : sizeof call.record);
    bool answerHere = shellAccepts && (message == NIM_ADD || message == NIM_DELETE);
    call.result = answerHere ? TRUE : realNotifyIcon(message, data);
    calls.push_back(message == NIM_ADD ? "add" : message == NIM_DELETE ? "delete" : "icon " + std::to_string(message));
    iconCalls.push_back(call);
    return call.result;
}

HANDLE WINAPI RecordLoadImage(HINSTANCE module, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    HANDLE result = realLoadImage(module, name, type, cx, cy, flags);
    std::string shown = IS_INTRESOURCE(name) ? "#" + std::to_string((ULONG_PTR)name) : name;
    imageLoads.push_back({module, shown, type, cx, cy, flags, result});
    return result;
}

// No menu opens: nothing in a test would close it.
BOOL WINAPI RecordTrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT* rect) {
    char first[128] = "";
    GetMenuStringA(menu, 0, first, sizeof first, MF_BYPOSITION);
    tracks.push_back({menu, first, GetMenuItemID(menu, 0), flags, x, y, owner, rect != NULL});
    calls.push_back("track");
    return 0;
}

BOOL WINAPI RecordSetForegroundWindow(HWND window) {
    foregroundWindow = window;
    calls.push_back("foreground");
    return realSetForegroundWindow(window);
}

int WINAPI RecordShellAbout(HWND owner, LPCSTR app, LPCSTR extra, HICON icon) {
    abouts.push_back({owner, app ? app : "", extra ? extra : "", icon});
    calls.push_back("about");
    return TRUE;
}

BOOL WINAPI RecordEndDialog(HWND dialog, INT_PTR result) {
    calls.push_back("end " + std::to_string(result));
    return realEndDialog(dialog, result);
}

void InstallRecorders(void) {
    if (realNotifyIcon) return;
    realNotifyIcon = (NotifyIconFn)PatchImport(&__imp_Shell_NotifyIconA, (void*)RecordNotifyIcon);
    realLoadImage = (LoadImageFn)PatchImport(&__imp_LoadImageA, (void*)RecordLoadImage);
    PatchImport(&__imp_TrackPopupMenu, (void*)RecordTrackPopupMenu);
    realSetForegroundWindow =
        (SetForegroundWindowFn)PatchImport(&__imp_SetForegroundWindow, (void*)RecordSetForegroundWindow);
    PatchImport(&__imp_ShellAboutA, (void*)RecordShellAbout);
    realEndDialog = (EndDialogFn)PatchImport(&__imp_EndDialog, (void*)RecordEndDialog);
}

void ClearRecords(void) {
    calls.clear();
    iconCalls.clear();
    imageLoads.clear();
    tracks.clear();
    abouts.clear();
    foregroundWindow = NULL;
}

std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += "[" + item + "]";
    return text;
}

bool SameRecord(const NOTIFYICONDATAA& a, const NOTIFYICONDATAA& b) {
    return memcmp(&a, &b, NOTIFYICONDATAA_V1_SIZE) == 0;
}

SIZE IconSize(HICON icon) {
    ICONINFO info = {};
    SIZE size = {0, 0};
    if (!GetIconInfo(icon, &info)) return size;
    BITMAP bits = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bits, &bits);
    size.cx = bits.bmWidth;
    size.cy = info.hbmColor ? bits.bmHeight : bits.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

const ImageLoad* LoadThatGave(HANDLE image) {
    for (const ImageLoad& load : imageLoads)
        if (load.result == image) return &load;
    return nullptr;
}

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallRecorders();
        shellAccepts = true;
        dialog = CreateConfigDialog();
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        ClearRecords();
    }
    void TearDown() override { DestroyConfigDialog(dialog); }

    LRESULT Command(int id) { return SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    void EnterTrayState(void) {
        Command(40004);
        ASSERT_EQ(inTray, 1) << "40004 did not put the dialog into the notification area";
        ClearRecords();
    }

    HWND dialog = NULL;
};

struct IconCase {
    int restartStarted;
    const char* icon;
    const char* tip;  // UTF-8
};

// The record is rebuilt on every entry, so a restart between two entries
// changes the icon and the tip.
const IconCase iconCases[] = {
    {0, "MYICON_MAIN", "Brisvel点灯PIC USB"},
    {1, "MYICON_SEND", "Brisvel点灯PIC USB 通信中"},
    {1, "MYICON_SEND", "Brisvel点灯PIC USB 通信中"},
};

void ExpectIconRecord(const NOTIFYICONDATAA& record, HWND dialog, const IconCase& c) {
    EXPECT_EQ(record.cbSize, (DWORD)NOTIFYICONDATAA_V1_SIZE) << "first-version size of this build";
    EXPECT_EQ(record.hWnd, dialog);
    EXPECT_EQ(record.uID, 0u);
    EXPECT_EQ(record.uFlags, (UINT)(NIF_MESSAGE | NIF_ICON | NIF_TIP)) << std::hex << record.uFlags;
    EXPECT_EQ(record.uCallbackMessage, 0x8001u) << std::hex << record.uCallbackMessage;
    EXPECT_EQ(std::string(record.szTip), Cp932(c.tip));
    ASSERT_NE(record.hIcon, nullptr);
    const ImageLoad* load = LoadThatGave(record.hIcon);
    ASSERT_NE(load, nullptr) << "the icon was not loaded for this entry";
    EXPECT_EQ(load->module, GetModuleHandleA(NULL));
    EXPECT_EQ(load->name, c.icon);
    EXPECT_EQ(load->type, (UINT)IMAGE_ICON);
    EXPECT_EQ(load->cx, 16);
    EXPECT_EQ(load->cy, 16);
    EXPECT_EQ(load->flags, 0u) << std::hex << load->flags;
    SIZE size = IconSize(record.hIcon);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 16);
}

TEST_F(TrayTest, EnteringAndLeavingPassTheSameRecordChosenByRestartStarted) {
    for (const IconCase& c : iconCases) {
        SCOPED_TRACE(std::string("restartStarted ") + std::to_string(c.restartStarted) + ", " + c.icon);
        restartStarted = c.restartStarted;
        ClearRecords();
        EXPECT_EQ(Command(40004), 0);
        ASSERT_EQ(iconCalls.size(), 1u) << Listed(calls);
        EXPECT_EQ(iconCalls[0].message, (DWORD)NIM_ADD);
        ExpectIconRecord(iconCalls[0].record, dialog, c);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "still shown with the icon added";
        EXPECT_EQ(inTray, 1);

        EXPECT_EQ(Command(40006), 0);
        ASSERT_EQ(iconCalls.size(), 2u) << Listed(calls);
        EXPECT_EQ(iconCalls[1].message, (DWORD)NIM_DELETE);
        EXPECT_TRUE(SameRecord(iconCalls[1].record, iconCalls[0].record)) << "delete passed another record";
        EXPECT_TRUE(IsWindowVisible(dialog)) << "not shown again";
        EXPECT_FALSE(IsIconic(dialog));
        EXPECT_EQ(inTray, 0);
    }
}

// Here the real shell call runs, and the null display driver refuses it.
TEST_F(TrayTest, RefusedIconLeavesTheDialogShown) {
    shellAccepts = false;
    Command(40004);
    ASSERT_EQ(iconCalls.size(), 1u) << Listed(calls);
    ASSERT_EQ(iconCalls[0].result, FALSE) << "this prefix has a notification area: the case cannot show a refusal";
    EXPECT_TRUE(IsWindowVisible(dialog)) << "hidden with no icon to bring it back";
    EXPECT_EQ(inTray, 0);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(Listed(calls), "[add][end 1]") << "no icon to delete";
}

struct TrayMouse {
    UINT message;
    bool opensMenu;
};

const TrayMouse trayMice[] = {
    {WM_RBUTTONDOWN, true},     {WM_LBUTTONDOWN, false},   {WM_RBUTTONUP, false},
    {WM_LBUTTONUP, false},      {WM_LBUTTONDBLCLK, false}, {WM_RBUTTONDBLCLK, false},
    {WM_MOUSEMOVE, false},      {WM_MBUTTONDOWN, false},   {WM_CONTEXTMENU, false},
};

TEST_F(TrayTest, IconCallbackOpensTheTrayMenuOnTheRightButtonOnly) {
    EnterTrayState();
    for (const TrayMouse& m : trayMice) {
        SCOPED_TRACE("mouse message 0x" + std::to_string(m.message));
        ClearRecords();
        POINT cursor;
        GetCursorPos(&cursor);
        SendMessageA(dialog, 0x8001, 0, m.message);
        EXPECT_EQ(inTray, 1);
        EXPECT_FALSE(IsWindowVisible(dialog));
        if (!m.opensMenu) {
            EXPECT_EQ(Listed(calls), "");
            continue;
        }
        EXPECT_EQ(Listed(calls), "[foreground][track]") << "the dialog comes to the front first";
        EXPECT_EQ(foregroundWindow, dialog);
        ASSERT_EQ(tracks.size(), 1u);
        const MenuTrack& t = tracks[0];
        EXPECT_EQ(t.firstItem, Cp932("タスクトレイから出す(&O)")) << "not the first pop-up of MYTRAY";
        EXPECT_EQ(t.firstId, 40006u);
        EXPECT_EQ(t.flags, (UINT)TPM_BOTTOMALIGN) << std::hex << t.flags;
        EXPECT_EQ(t.x, cursor.x);
        EXPECT_EQ(t.y, cursor.y);
        EXPECT_EQ(t.owner, dialog);
        EXPECT_FALSE(t.rect);
        EXPECT_FALSE(IsMenu(t.menu)) << "the loaded menu was not destroyed";
    }
}

struct ClickPoint {
    unsigned x, y;  // client coordinates, as the long parameter carries them
};

// The point is taken unsigned, as the low and high words of the long parameter.
const ClickPoint clickPoints[] = {{30, 40}, {0, 0}, {0xFFF0, 5}};

TEST_F(TrayTest, RightPressOnTheDialogOpensTheMainMenuAtThatPoint) {
    for (const ClickPoint& p : clickPoints) {
        SCOPED_TRACE("point " + std::to_string(p.x) + "," + std::to_string(p.y));
        ClearRecords();
        EXPECT_EQ(SendMessageA(dialog, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y)), 0);
        POINT screen = {(LONG)p.x, (LONG)p.y};
        ClientToScreen(dialog, &screen);
        ASSERT_EQ(tracks.size(), 1u) << Listed(calls);
        const MenuTrack& t = tracks[0];
        EXPECT_EQ(t.firstItem, Cp932("タスクバーに入れる(&T)")) << "not the first pop-up of MYMENU";
        EXPECT_EQ(t.firstId, 40003u);
        EXPECT_EQ(t.flags, 0u) << std::hex << t.flags;
        EXPECT_EQ(t.x, screen.x);
        EXPECT_EQ(t.y, screen.y);
        EXPECT_EQ(t.owner, dialog);
        EXPECT_FALSE(t.rect);
        EXPECT_FALSE(IsMenu(t.menu)) << "the loaded menu was not destroyed";
        EXPECT_TRUE(IsWindowVisible(dialog));
    }
}

TEST_F(TrayTest, LeftPressOnTheDialogPostsACaptionDragAtTheSamePoint) {
    const LPARAM point = MAKELPARAM(25, 60);
    EXPECT_EQ(SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, point), 0);
    MSG posted;
    ASSERT_TRUE(PeekMessageA(&posted, dialog, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) << "nothing posted";
    EXPECT_EQ(posted.wParam, (WPARAM)HTCAPTION);
    EXPECT_EQ(posted.lParam, point) << std::hex << posted.lParam;
    EXPECT_FALSE(PeekMessageA(&posted, dialog, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) << "posted twice";
}

TEST_F(TrayTest, TaskbarCommandMinimisesTheDialog) {
    EXPECT_EQ(Command(40003), 0);
    EXPECT_TRUE(IsIconic(dialog));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(inTray, 0);
    EXPECT_EQ(Listed(calls), "") << "minimising touched the icon or ended the dialog";
}

TEST_F(TrayTest, VersionCommandShowsTheAboutBoxWithBothTexts) {
    EXPECT_EQ(Command(40005), 0);
    ASSERT_EQ(abouts.size(), 1u) << Listed(calls);
    EXPECT_EQ(abouts[0].owner, dialog);
    EXPECT_EQ(abouts[0].app, Cp932("Ｂｒｉｓｖｅｌ表示装置"));
    EXPECT_EQ(abouts[0].extra, Cp932("\nＢｒｉｓｖｅｌ点灯\n（ＰＩＣ　ＵＳＢ用）\n"));
    EXPECT_EQ(abouts[0].icon, nullptr);
}

// Everything these commands could have changed.
std::string WindowState(HWND dialog) {
    return "window " + std::to_string(IsWindow(dialog)) + ", visible " + std::to_string(IsWindowVisible(dialog)) +
           ", iconic " + std::to_string(IsIconic(dialog)) + ", inTray " + std::to_string(inTray);
}

TEST_F(TrayTest, CommandsFortyThousandTwoAndTwoChangeNothingInEitherState) {
    for (bool tray : {false, true}) {
        if (tray) EnterTrayState();
        for (int id : {40002, 2}) {
            SCOPED_TRACE(std::string(tray ? "in the tray, " : "shown, ") + "command " + std::to_string(id));
            std::string before = WindowState(dialog);
            ClearRecords();
            EXPECT_EQ(Command(id), 0);
            EXPECT_EQ(WindowState(dialog), before);
            EXPECT_EQ(Listed(calls), "");
        }
    }
}

TEST_F(TrayTest, HiddenMainWindowCloseDeletesTheIconOnlyWhenInTheTray) {
    for (bool tray : {false, true}) {
        SCOPED_TRACE(tray ? "in the tray" : "shown");
        ASSERT_TRUE(RegisterMainWindowClass());
        HWND main = CreateMainWindow();
        ASSERT_NE(main, nullptr);
        if (tray) Command(40004);
        std::vector<IconCall> added = iconCalls;
        ClearRecords();
        SendMessageA(main, WM_CLOSE, 0, 0);
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no quit message";
        EXPECT_EQ(Listed(calls), tray ? "[delete]" : "");
        if (tray && iconCalls.size() == 1 && added.size() == 1) {
            EXPECT_TRUE(SameRecord(iconCalls[0].record, added[0].record)) << "delete passed another record";
        }
        DestroyWindow(main);
        UnregisterClassA("Brisvel(USB)", hInstance);
        if (tray) Command(40006);
    }
}

// Closing paths, with the dialog run modally as the program runs it: the
// steps are posted when the dialog starts, and DialogBoxParamA's value is
// the dialog's result.
struct Step {
    UINT message;
    WPARAM wParam;
};

struct CloseCase {
    const char* name;
    std::vector<Step> steps;
    const char* calls;
};

const CloseCase closeCases[] = {
    {"exit button", {{WM_COMMAND, 1}}, "[end 1]"},
    {"close box, shown", {{WM_CLOSE, 0}}, "[end 1]"},
    {"exit command, shown", {{WM_COMMAND, 40001}}, "[end 1]"},
    {"close box, in the tray", {{WM_COMMAND, 40004}, {WM_CLOSE, 0}}, "[add][delete][end 1]"},
    {"exit command, in the tray", {{WM_COMMAND, 40004}, {WM_COMMAND, 40001}}, "[add][delete][end 1]"},
};

const std::vector<Step>* modalSteps;
HWND modalDialog;

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { EndDialog(modalDialog, -1); }

INT_PTR CALLBACK ScriptedDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = ConfigDialog(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        modalDialog = dialog;
        for (const Step& step : *modalSteps) PostMessageA(dialog, step.message, step.wParam, 0);
    }
    return result;
}

TEST(ClosingTheDialog, EndsItWithResultOneDeletingTheIconFirst) {
    InstallRecorders();
    shellAccepts = true;
    for (const CloseCase& c : closeCases) {
        SCOPED_TRACE(c.name);
        ResetProcessState();
        hInstance = GetModuleHandleA(NULL);
        ClearRecords();
        modalSteps = &c.steps;
        UINT_PTR guard = SetTimer(NULL, 0, 10000, GiveUp);
        INT_PTR result = DialogBoxParamA(hInstance, "MYDLG", NULL, ScriptedDialog, 0);
        KillTimer(NULL, guard);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(Listed(calls), c.calls);
        if (iconCalls.size() == 2) {
            EXPECT_TRUE(SameRecord(iconCalls[1].record, iconCalls[0].record)) << "delete passed another record";
            EXPECT_TRUE(iconCalls[1].windowAlive) << "the icon was deleted after its window";
        }
    }
    ResetProcessState();
}

}  // namespace
