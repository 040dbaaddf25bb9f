// Keeps Wine's desktop process alive for a whole test run, so that each test
// program does not start and stop it, and so that it inherits this program's
// quiet output rather than a test's pipe. Ended by "wineserver -k".
//   desktop_keeper [FILE]   FILE is made once the desktop is up
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CreateWindowExA(0, "Static", "desktop keeper", WS_POPUP, 0, 0, 1, 1, NULL, NULL, instance, NULL);
    if (__argc > 1) CloseHandle(CreateFileA(__argv[1], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
