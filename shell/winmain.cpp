// Start-up: a hidden main window, then the configuration dialog until it ends.
#include "../dialog/config_dialog.h"
#include "../dialog/texts.h"
#include "app.h"


int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    hInstance = instance;
    if (!RegisterMainWindowClass()) return 0;
    if (!CreateMainWindow()) return 0;
    DialogBoxParamA(hInstance, RES_DIALOG, NULL, ConfigDialog, 0);
    return 0;
}
