// drive: steps a running padconfig.exe from outside, for the demo and the
// screenshot scripts. Each argument is a step, done in order:
//   wait-dialog           until padconfig's dialog is shown
//   click ID              a click on control ID
//   command ID            WM_COMMAND ID to the dialog (menu commands too)
//   wait-idle             until the dialog answers, button 1005 is enabled and no
//                         box is up (a read ended; wait for the click's own effect first)
//   wait-hidden           until the dialog is hidden (in the notification area)
//   wait-shown            until the dialog is shown again
//   hidden                the dialog is hidden now (fails when it shows)
//   wait-box              until a message box of padconfig is up
//   wait-menu             until a pop-up menu is up
//   menu-rect             prints the pop-up menu's place on the screen: W H X Y
//   ok-box                presses OK on padconfig's message box (fails with none up)
//   box-text              prints the message box's text (UTF-8; fails with none up)
//   title                 prints the dialog's title (UTF-8)
//   sleep MS
//   close                 closes the dialog with its exit button
//   wait-gone             until the dialog no longer exists
//   rect                  prints the dialog's place on the screen: W H X Y
// Exit status 0 when every step was done, 1 when one timed out.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const int STEP_TIMEOUT_MS = 20000;

static bool IsClass(HWND window, const char* name) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return strcmp(className, name) == 0;
}

static BOOL CALLBACK FindConfigDialog(HWND window, LPARAM found) {
    if (IsClass(window, "#32770") && GetDlgItem(window, 1005)) return *(HWND*)found = window, FALSE;
    return TRUE;
}

static BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && IsClass(window, "#32770") && GetDlgItem(window, 0xFFFF))
        return *(HWND*)found = window, FALSE;
    return TRUE;
}

static HWND Find(WNDENUMPROC finder) {
    HWND found = NULL;
    EnumWindows(finder, (LPARAM)&found);
    return found;
}

static bool Until(bool (*done)(HWND), HWND dialog) {
    for (ULONGLONG start = GetTickCount64(); GetTickCount64() - start < STEP_TIMEOUT_MS; Sleep(50))
        if (done(dialog)) return true;
    return false;
}

static bool DialogShown(HWND) { HWND d = Find(FindConfigDialog); return d && IsWindowVisible(d); }
static bool BoxUp(HWND) { return Find(FindMessageBox) != NULL; }
// A read runs on the dialog's thread: a message sent to the dialog is answered
// only once it has ended, or while a box of it is up.
static bool ReadEnded(HWND dialog) {
    DWORD_PTR result;
    return SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) &&
           IsWindowEnabled(GetDlgItem(dialog, 1005)) && !BoxUp(NULL);
}

static BOOL CALLBACK FindMenu(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && IsClass(window, "#32768")) return *(HWND*)found = window, FALSE;
    return TRUE;
}
static bool MenuUp(HWND) { return Find(FindMenu) != NULL; }
static bool Hidden(HWND dialog) { return !IsWindowVisible(dialog); }
static bool Shown(HWND dialog) { return IsWindowVisible(dialog) != FALSE; }
static bool Gone(HWND dialog) { return !IsWindow(dialog); }

static void PrintRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    printf("%ld %ld %ld %ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    fflush(stdout);
}

static void PrintText(HWND window) {
    wchar_t text[256] = L"";
    char utf8[1024] = "";
    GetWindowTextW(window, text, 256);
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    printf("%s\n", utf8);
    fflush(stdout);
}

int main(int argc, char** argv) {
    HWND dialog = NULL;
    for (int i = 1; i < argc; i++) {
        const char* step = argv[i];
        const char* arg = i + 1 < argc ? argv[i + 1] : "0";
        bool ok = true;
        if (!strcmp(step, "wait-dialog")) ok = Until(DialogShown, NULL), dialog = Find(FindConfigDialog);
        else if (!strcmp(step, "wait-box")) ok = Until(BoxUp, NULL);
        else if (!strcmp(step, "wait-menu")) ok = Until(MenuUp, NULL);
        else if (!strcmp(step, "menu-rect")) ok = MenuUp(NULL), PrintRect(Find(FindMenu));
        else if (!strcmp(step, "ok-box")) ok = BoxUp(NULL) && PostMessageA(Find(FindMessageBox), WM_COMMAND, IDOK, 0);
        else if (!strcmp(step, "box-text")) ok = BoxUp(NULL), PrintText(GetDlgItem(Find(FindMessageBox), 0xFFFF));
        else if (!dialog) ok = (dialog = Find(FindConfigDialog)) != NULL, i--;
        else if (!strcmp(step, "click")) PostMessageA(GetDlgItem(dialog, atoi(arg)), BM_CLICK, 0, 0), i++;
        else if (!strcmp(step, "command")) PostMessageA(dialog, WM_COMMAND, atoi(arg), 0), i++;
        else if (!strcmp(step, "wait-idle")) ok = Until(ReadEnded, dialog);
        else if (!strcmp(step, "title")) PrintText(dialog);
        else if (!strcmp(step, "wait-hidden")) ok = Until(Hidden, dialog);
        else if (!strcmp(step, "wait-shown")) ok = Until(Shown, dialog);
        else if (!strcmp(step, "hidden")) ok = Hidden(dialog);
        else if (!strcmp(step, "sleep")) Sleep(atoi(arg)), i++;
        else if (!strcmp(step, "close")) PostMessageA(GetDlgItem(dialog, 1), BM_CLICK, 0, 0);
        else if (!strcmp(step, "wait-gone")) ok = Until(Gone, dialog);
        else if (!strcmp(step, "rect")) PrintRect(dialog);
        else {
            fprintf(stderr, "drive: unknown step %s\n", step);
            return 2;
        }
        if (!ok) {
            fprintf(stderr, "drive: step %s failed or timed out\n", step);
            return 1;
        }
    }
    return 0;
}
