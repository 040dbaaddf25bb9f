// The dialog as start-up leaves it: template, lists, control states, the
// enable rule, commands that must change nothing, and the hidden main window.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app.h"
#include "config_dialog.h"
#include "dialog_harness.h"

namespace {

enum Flags { TAB = 1, DISABLED = 2, HIDDEN = 4 };

struct TemplateControl {
    int id;
    const char* className;
    const char* caption;  // UTF-8
    int x, y, width, height;
    int flags;
};

// The template in its order, which is also the tab order.
std::vector<TemplateControl> ExpectedTemplate() {
    std::vector<TemplateControl> controls = {
        {1, "Button", "終了", 250, 224, 50, 21, TAB},
        {1075, "Button", "USB再起動", 222, 87, 65, 30, TAB | DISABLED},
        {1068, "Button", "ゲームパッド設定画面", 10, 15, 285, 204, 0},
        {1002, "Button", "シリアル接続", 105, 213, 65, 26, TAB | HIDDEN},
        {1069, "Button", "ＲＳ２３２Ｃ接続状態", 21, 42, 74, 28, 0},
        {1000, "Static", "未接続", 30, 55, 50, 13, 0},
        {1070, "Button", "ボタン数", 98, 42, 54, 55, DISABLED},
        {1003, "Button", "全ボタン押下", 222, 149, 65, 28, TAB | DISABLED},
        {1004, "Button", "全ボタン解除", 222, 178, 65, 28, TAB | DISABLED},
        {1005, "Button", "PAD情報取得", 222, 58, 65, 28, TAB},
        {1016, "ComboBox", "", 159, 51, 50, 46, TAB},
        {1071, "Button", "COMポート", 154, 42, 60, 55, 0},
    };
    static const char* numbers[32] = {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11",
                                      "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22",
                                      "23", "24", "25", "26", "27", "28", "29", "30", "31", "32"};
    const int columns[4] = {95, 120, 146, 173};
    for (int i = 0; i < 32; i++)
        controls.push_back({1027 + i, "Button", numbers[i], columns[i / 8], 107 + 12 * (i % 8), 17, 15, TAB});
    const int radios[9][3] = {{1060, 45, 126}, {1061, 55, 132}, {1062, 59, 144}, {1063, 54, 156}, {1064, 44, 160},
                              {1065, 33, 153}, {1066, 29, 142}, {1067, 34, 131}, {1059, 44, 142}};
    for (auto& r : radios) controls.push_back({r[0], "Button", "Radio2", r[1], r[2], 8, 11, 0});
    controls.push_back({1072, "Button", "方向", 21, 115, 54, 61, DISABLED});
    controls.push_back({1073, "Button", "ボタン", 84, 98, 118, 111, DISABLED});
    controls.push_back({1017, "ComboBox", "", 100, 52, 50, 46, TAB | DISABLED});
    return controls;
}

INT_PTR initResult = -1;

INT_PTR CALLBACK RecordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = ConfigDialog(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG) initResult = result;
    return result;
}

class StartupState : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProcessState();
        hInstance = GetModuleHandleA(NULL);
        dialog = CreateDialogParamA(hInstance, "MYDLG", NULL, RecordingProc, 0);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override { DestroyConfigDialog(dialog); }
    HWND dialog = NULL;
};

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        char text[64] = "";
        SendMessageA(list, CB_GETLBTEXT, i, (LPARAM)text);
        rows.push_back(text);
    }
    return rows;
}

// Dialog units to pixels as the dialog manager converts them: each number alone.
RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
    RECT place = {x, y, 0, 0}, size = {0, 0, width, height};
    MapDialogRect(dialog, &place);
    MapDialogRect(dialog, &size);
    return {place.left, place.top, place.left + size.right, place.top + size.bottom};
}

TEST_F(StartupState, PortListHoldsComOneToTenWithComOneSelected) {
    HWND list = GetDlgItem(dialog, 1016);
    std::vector<std::string> expected;
    for (int n = 1; n <= 10; n++) expected.push_back("COM" + std::to_string(n));
    EXPECT_EQ(ListRows(list), expected);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ControlText(dialog, 1016), "COM1");
}

TEST_F(StartupState, CountListHoldsZeroToThirtyTwoWithOneSelectedAndDisabled) {
    HWND list = GetDlgItem(dialog, 1017);
    std::vector<std::string> expected;
    for (int n = 0; n <= 32; n++) expected.push_back(std::to_string(n));
    EXPECT_EQ(ListRows(list), expected);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(ControlText(dialog, 1017), "1");
    EXPECT_FALSE(IsWindowEnabled(list));
}

TEST_F(StartupState, ButtonsUncheckedAndDisabledCentreCheckedRadiosDisabled) {
    for (int id = 1027; id <= 1058; id++) {
        EXPECT_FALSE(IsChecked(dialog, id)) << "check box " << id;
        EXPECT_FALSE(IsEnabled(dialog, id)) << "check box " << id;
    }
    for (int id = 1059; id <= 1067; id++) {
        EXPECT_FALSE(IsEnabled(dialog, id)) << "radio " << id;
        EXPECT_EQ(IsChecked(dialog, id), id == 1059) << "radio " << id;
    }
}

TEST_F(StartupState, OnlyExitPadInfoAndPortListAreUsable) {
    for (int id : {1003, 1004, 1075, 1070, 1072, 1073}) EXPECT_FALSE(IsEnabled(dialog, id)) << "control " << id;
    for (int id : {1, 1005, 1016}) EXPECT_TRUE(IsEnabled(dialog, id)) << "control " << id;
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(dialog, 1002), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(ControlText(dialog, 1000), Cp932("未接続"));
}

TEST_F(StartupState, InitDialogReturnsFalseAndSetsOnlyTheSharedBigIcon) {
    EXPECT_EQ(initResult, FALSE);
    HANDLE shared = LoadImageA(hInstance, "MYICON_MAIN", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ((HANDLE)SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), shared);
    EXPECT_EQ((HANDLE)SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), nullptr);
}

TEST_F(StartupState, TitleAndStyleAreThoseOfTheTemplate) {
    char title[256] = "";
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_EQ(std::string(title), Cp932("Ｈ８／３０５２Ｆ（３０４８Ｆ）ＵＳＢゲームパッド設定用"));
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    for (LONG bit : {(LONG)WS_POPUP, (LONG)WS_CAPTION, (LONG)WS_SYSMENU, (LONG)DS_MODALFRAME})
        EXPECT_EQ(style & bit, bit) << std::hex << "style " << style << " lacks " << bit;
    RECT size = DialogUnits(dialog, 0, 0, 311, 254), client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
}

// The dialog template as stored in the program's resources.
struct TemplateItem {
    DWORD style;
    DWORD exStyle;
    short x, y, width, height;
    WORD id;
};
struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, width = 0, height = 0;
    std::wstring fontName;
    WORD pointSize = 0;
    std::vector<TemplateItem> items;
};

const WORD* SkipNameOrOrdinal(const WORD* p) {
    if (*p == 0xFFFF) return p + 2;
    while (*p) p++;
    return p + 1;
}

const WORD* AlignDword(const WORD* p) { return (const WORD*)(((ULONG_PTR)p + 3) & ~(ULONG_PTR)3); }

DialogTemplate LoadTemplate(void) {
    DialogTemplate t;
    HRSRC found = FindResourceA(GetModuleHandleA(NULL), "MYDLG", (LPCSTR)RT_DIALOG);
    const DLGTEMPLATE* header = (const DLGTEMPLATE*)LockResource(LoadResource(NULL, found));
    if (!header) return t;
    t.style = header->style;
    t.exStyle = header->dwExtendedStyle;
    t.x = header->x, t.y = header->y, t.width = header->cx, t.height = header->cy;
    const WORD* p = (const WORD*)(header + 1);
    p = SkipNameOrOrdinal(p);  // menu
    p = SkipNameOrOrdinal(p);  // class
    p = SkipNameOrOrdinal(p);  // title
    if (t.style & DS_SETFONT) {
        t.pointSize = *p++;
        t.fontName = (const wchar_t*)p;
        p += t.fontName.size() + 1;
    }
    for (int i = 0; i < header->cdit; i++) {
        const DLGITEMTEMPLATE* item = (const DLGITEMTEMPLATE*)AlignDword(p);
        t.items.push_back({item->style, item->dwExtendedStyle, item->x, item->y, item->cx, item->cy, item->id});
        p = (const WORD*)(item + 1);
        p = SkipNameOrOrdinal(p);    // class
        p = SkipNameOrOrdinal(p);    // title
        p += 1 + *p / sizeof(WORD);  // creation data
    }
    return t;
}

TEST(DialogTemplate, HeaderIsThatOfTheConfigurationDialog) {
    DialogTemplate t = LoadTemplate();
    EXPECT_EQ(t.style, (DWORD)(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER))
        << std::hex << t.style;
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.width, 311);
    EXPECT_EQ(t.height, 254);
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_TRUE(t.fontName == L"ＭＳ Ｐゴシック") << "font name of " << t.fontName.size() << " characters";
}

TEST(DialogTemplate, ItemsInTabOrderWithExactPlacesAndStyles) {
    DialogTemplate t = LoadTemplate();
    std::vector<TemplateControl> expected = ExpectedTemplate();
    ASSERT_EQ(t.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        const TemplateControl& c = expected[i];
        const TemplateItem& item = t.items[i];
        SCOPED_TRACE("item " + std::to_string(i) + ", control " + std::to_string(c.id));
        EXPECT_EQ(item.id, c.id);
        EXPECT_EQ(item.x, c.x);
        EXPECT_EQ(item.y, c.y);
        EXPECT_EQ(item.width, c.width);
        EXPECT_EQ(item.height, c.height);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ((item.style & WS_TABSTOP) != 0, (c.flags & TAB) != 0) << std::hex << item.style;
        EXPECT_EQ(item.style & WS_GROUP, 0u) << std::hex << item.style;
        EXPECT_EQ((item.style & WS_VISIBLE) != 0, (c.flags & HIDDEN) == 0) << std::hex << item.style;
        EXPECT_EQ((item.style & WS_DISABLED) != 0, (c.flags & DISABLED) != 0) << std::hex << item.style;
    }
}

TEST(DialogTemplate, KindsOfButtonsAndListsAreThoseOfTheTemplate) {
    DialogTemplate t = LoadTemplate();
    auto style = [&](int id) {
        for (const TemplateItem& item : t.items)
            if (item.id == id) return item.style;
        return (DWORD)0;
    };
    auto kind = [&](int id) { return style(id) & BS_TYPEMASK; };
    EXPECT_EQ(kind(1), (DWORD)BS_DEFPUSHBUTTON);
    for (int id : {1002, 1003, 1004, 1005, 1075}) EXPECT_EQ(kind(id), (DWORD)BS_PUSHBUTTON) << id;
    for (int id : {1068, 1069, 1070, 1071, 1072, 1073}) EXPECT_EQ(kind(id), (DWORD)BS_GROUPBOX) << id;
    for (int id = 1027; id <= 1058; id++) EXPECT_EQ(kind(id), (DWORD)BS_AUTOCHECKBOX) << id;
    for (int id = 1059; id <= 1067; id++) EXPECT_EQ(kind(id), (DWORD)BS_AUTORADIOBUTTON) << id;
    EXPECT_EQ(style(1000) & SS_TYPEMASK, (DWORD)SS_LEFT);
    for (int id : {1016, 1017}) {
        DWORD s = style(id);
        EXPECT_EQ(s & 3, (DWORD)CBS_SIMPLE) << id;
        EXPECT_EQ(s & CBS_SORT, 0u) << id;
        EXPECT_NE(s & WS_VSCROLL, 0u) << id;
        EXPECT_NE(s & CBS_DISABLENOSCROLL, 0u) << id;
        EXPECT_NE(s & CBS_AUTOHSCROLL, 0u) << id;
    }
}

TEST_F(StartupState, ControlsStandInTabOrderWhereTheTemplatePutsThem) {
    std::vector<TemplateControl> expected = ExpectedTemplate();
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const TemplateControl& c : expected) {
        ASSERT_NE(child, nullptr) << "missing control " << c.id;
        SCOPED_TRACE("control " + std::to_string(c.id));
        EXPECT_EQ(GetDlgCtrlID(child), c.id) << "tab order";
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        EXPECT_EQ(lstrcmpiA(className, c.className), 0) << className;
        if (c.id != 1016 && c.id != 1017) {
            char text[128] = "";
            GetWindowTextA(child, text, sizeof text);
            EXPECT_EQ(std::string(text), Cp932(c.caption));
        }
        RECT want = DialogUnits(dialog, c.x, c.y, c.width, c.height), got;
        GetWindowRect(child, &got);
        MapWindowPoints(NULL, dialog, (POINT*)&got, 2);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right, want.right);
        EXPECT_EQ(got.bottom, want.bottom);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "a control beyond the template's 56";
}

// The controls SetEditControlsEnabled switches, check boxes aside.
const int editControls[] = {1075, 1003, 1004, 1017, 1070, 1072, 1073,
                            1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067};
const int neverSwitched[] = {1, 1000, 1005, 1016, 1068, 1069, 1071};

TEST_F(StartupState, EnableRuleSwitchesExactlyTheEditingControls) {
    for (int id = 1027; id <= 1034; id++) EnableWindow(GetDlgItem(dialog, id), TRUE);  // as a read of 8 buttons does
    SetEditControlsEnabled(dialog, 1);
    for (int id : editControls) EXPECT_TRUE(IsEnabled(dialog, id)) << "after 1: " << id;
    for (int id = 1027; id <= 1058; id++) EXPECT_EQ(IsEnabled(dialog, id), id <= 1034) << "after 1: box " << id;

    for (int id : neverSwitched) EnableWindow(GetDlgItem(dialog, id), FALSE);
    SetEditControlsEnabled(dialog, 1);
    for (int id : neverSwitched) EXPECT_FALSE(IsEnabled(dialog, id)) << "1 must not touch " << id;
    for (int id : neverSwitched) EnableWindow(GetDlgItem(dialog, id), TRUE);

    SetEditControlsEnabled(dialog, 2);
    for (int id : editControls) EXPECT_TRUE(IsEnabled(dialog, id)) << "2 changed " << id;

    SetEditControlsEnabled(dialog, 0);
    for (int id : editControls) EXPECT_FALSE(IsEnabled(dialog, id)) << "after 0: " << id;
    for (int id = 1027; id <= 1058; id++) EXPECT_FALSE(IsEnabled(dialog, id)) << "after 0: box " << id;
    for (int id : neverSwitched) EXPECT_TRUE(IsEnabled(dialog, id)) << "0 must not touch " << id;

    SetEditControlsEnabled(dialog, 2);
    for (int id : editControls) EXPECT_FALSE(IsEnabled(dialog, id)) << "2 changed " << id;
    SetEditControlsEnabled(dialog, 1);
    for (int id = 1027; id <= 1058; id++) EXPECT_FALSE(IsEnabled(dialog, id)) << "1 enabled box " << id;
}

// Everything a user could see of the dialog's controls.
std::string Snapshot(HWND dialog) {
    std::string state;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char text[128] = "";
        GetWindowTextA(c, text, sizeof text);
        state += std::to_string(GetDlgCtrlID(c)) + ":" + text + ":" + std::to_string(IsWindowEnabled(c)) +
                 std::to_string(IsWindowVisible(c)) + std::to_string(SendMessageA(c, BM_GETCHECK, 0, 0)) + ";";
    }
    return state + std::to_string(IsWindowVisible(dialog));
}

TEST_F(StartupState, CommandsWithoutAHandlerChangeNothing) {
    ShowWindow(dialog, SW_SHOW);
    std::string before = Snapshot(dialog);
    struct { int id; WORD code; } commands[] = {
        {1017, CBN_SELCHANGE}, {1017, CBN_EDITCHANGE}, {1017, CBN_SETFOCUS}, {2, BN_CLICKED},
        {1002, BN_CLICKED},    {40002, 0},           {1234, 0},            {1000, STN_CLICKED}};
    for (auto& c : commands) {
        EXPECT_EQ(SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(c.id, c.code), (LPARAM)GetDlgItem(dialog, c.id)), 0)
            << "command " << c.id;
        EXPECT_TRUE(IsWindow(dialog)) << "command " << c.id << " ended the dialog";
        EXPECT_EQ(Snapshot(dialog), before) << "command " << c.id;
    }
}

TEST(MainWindow, CloseQuitsTheLoopButKeepsTheWindow) {
    hInstance = GetModuleHandleA(NULL);
    ASSERT_TRUE(RegisterMainWindowClass());
    HWND main = CreateMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));
    char className[64] = "";
    GetClassNameA(main, className, sizeof className);
    EXPECT_STREQ(className, "Brisvel(USB)");
    EXPECT_NE(GetMenu(main), nullptr) << "the class menu MYMENU";
    for (UINT message : {(UINT)WM_CLOSE, (UINT)WM_DESTROY}) {
        EXPECT_EQ(SendMessageA(main, message, 0, 0), 0);
        EXPECT_TRUE(IsWindow(main)) << "message " << message << " destroyed the window";
        MSG quit;
        ASSERT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no quit after " << message;
        EXPECT_EQ(quit.wParam, 0u);
    }
    DestroyWindow(main);
    UnregisterClassA("Brisvel(USB)", hInstance);
}

}  // namespace
