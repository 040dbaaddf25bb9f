// The hidden main window: never shown, it owns the class menu and ends the
// process's message loop when it is told to close.
#include "main_window.h"

#include "../link/serial_link.h"
#include "../resources/resource_names.h"
#include "../texts/text_ids.h"
#include "config_dialog.h"
#include "instance.h"
#include "tray.h"

bool RegisterMainWindowClass(void) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = hInstance;
    windowClass.hCursor = (HCURSOR)LoadImageW(NULL, (LPCWSTR)IDC_ARROW, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszMenuName = WIDE(RES_MENU);
    windowClass.lpszClassName = TEXT_MAIN_CLASS;
    return RegisterClassExW(&windowClass) != 0;
}

HWND CreateMainWindow(void) {
    WCHAR title[64] = L"";
    LoadStringW(hInstance, TEXT_MAIN_TITLE, title, ARRAYSIZE(title));
    return CreateWindowExW(0, TEXT_MAIN_CLASS, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        RemoveTrayIcon();
        [[fallthrough]];  // closing ends the process as destroying does
    case WM_DESTROY:
        PostQuitMessage(0);
        CloseLink();  // only a link that is open holds a handle
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RunDialogWindow(int port) {
    if (!RegisterMainWindowClass() || !CreateMainWindow()) return;
    DialogBoxParamW(hInstance, WIDE(RES_DIALOG), NULL, ConfigDialog, port);
}
