#include "message_boxes.h"

#include "api_hook.h"

extern "C" void* __imp_MessageBoxA;

typedef int(WINAPI* MessageBoxFn)(HWND, LPCSTR, LPCSTR, UINT);
static MessageBoxFn realMessageBox;
static std::vector<ShownBox> boxes;
static void (*shownCallback)(const ShownBox&);
static HHOOK cbtHook;

static LRESULT CALLBACK CloseBoxOnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char className[16] = "";
        GetClassNameA((HWND)wParam, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0 && GetDlgItem((HWND)wParam, 0xFFFF))
            PostMessageA((HWND)wParam, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

static int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
    boxes.push_back({owner, text ? text : "", caption ? caption : "", flags});
    if (shownCallback) shownCallback(boxes.back());
    return realMessageBox(owner, text, caption, flags);
}

void StartRecordingBoxes(void) {
    boxes.clear();
    shownCallback = nullptr;
    if (!realMessageBox)
        realMessageBox = (MessageBoxFn)PatchImport(&__imp_MessageBoxA, (void*)RecordMessageBox);
    if (!cbtHook) cbtHook = SetWindowsHookExA(WH_CBT, CloseBoxOnActivate, NULL, GetCurrentThreadId());
}

std::vector<ShownBox>& ShownBoxes(void) { return boxes; }

void OnBoxShown(void (*callback)(const ShownBox&)) { shownCallback = callback; }
