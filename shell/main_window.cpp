// The hidden main window: never shown, it owns the class menu and ends the
// process's message loop when it is told to close.
#include "../dialog/texts.h"
#include "../link/serial_link.h"
#include "app.h"
#include "tray.h"

bool RegisterMainWindowClass(void) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = hInstance;
    windowClass.hCursor = (HCURSOR)LoadImageA(NULL, (LPCSTR)IDC_ARROW, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszMenuName = RES_MENU;
    windowClass.lpszClassName = TEXT_MAIN_CLASS;
    return RegisterClassExA(&windowClass) != 0;
}

HWND CreateMainWindow(void) {
    return CreateWindowExA(0, TEXT_MAIN_CLASS, TEXT_MAIN_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
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
    return DefWindowProcA(window, message, wParam, lParam);
}
