#include "message_boxes.h"

#include "api_hook.h"
#include "dialog_harness.h"

extern "C" void* __imp_MessageBoxW;

typedef int(WINAPI* MessageBoxFn)(HWND, LPCWSTR, LPCWSTR, UINT);
static MessageBoxFn realMessageBox;
static std::vector<ShownBox> boxes;
static void (*shownCallback)(const ShownBox&);
static HHOOK cbtHook;
static int yesNoAnswer = IDYES;

static LRESULT CALLBACK CloseBoxOnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char className[16] = "";
        GetClassNameA((HWND)wParam, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0 && GetDlgItem((HWND)wParam, 0xFFFF))
            PostMessageA((HWND)wParam, WM_COMMAND, GetDlgItem((HWND)wParam, IDYES) ? yesNoAnswer : IDOK, 0);
    }
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

static int WINAPI RecordMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags) {
    boxes.push_back({owner, Utf8(text ? text : L""), Utf8(caption ? caption : L""), flags});
    if (shownCallback) shownCallback(boxes.back());
    return realMessageBox(owner, text, caption, flags);
}

void StartRecordingBoxes(void) {
    boxes.clear();
    shownCallback = nullptr;
    yesNoAnswer = IDYES;
    if (!realMessageBox)
        realMessageBox = (MessageBoxFn)PatchImport(&__imp_MessageBoxW, (void*)RecordMessageBox);
    if (!cbtHook) cbtHook = SetWindowsHookExA(WH_CBT, CloseBoxOnActivate, NULL, GetCurrentThreadId());
}

void AnswerYesNoWith(int button) { yesNoAnswer = button; }

std::vector<ShownBox>& ShownBoxes(void) { return boxes; }

void OnBoxShown(void (*callback)(const ShownBox&)) { shownCallback = callback; }
