// Keeps Wine's desktop process alive for a whole test run, so that each test
// program does not start and stop it, and so that it inherits this program's
// quiet output rather than a test's pipe. Ended by "wineserver -k".
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CreateWindowExA(0, "Static", "desktop keeper", WS_POPUP, 0, 0, 1, 1, NULL, NULL, instance, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
