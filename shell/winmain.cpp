// Start-up: the language, a hidden main window, then the configuration dialog
// until it ends.
#include "../dialog/config_dialog.h"
#include "../dialog/texts.h"
#include "app.h"

constexpr int EXIT_BAD_COMMAND_LINE = 2;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    hInstance = instance;
    LANGID language = ChosenLanguage(commandLine);
    if (!language) {
        ShowMessage(NULL, TEXT_BAD_LANGUAGE, TEXT_BAD_LANGUAGE_CAPTION, MB_OK | MB_ICONERROR);
        return EXIT_BAD_COMMAND_LINE;
    }
    UseLanguage(language);
    if (!RegisterMainWindowClass()) return 0;
    if (!CreateMainWindow()) return 0;
    DialogBoxParamW(hInstance, WIDE(RES_DIALOG), NULL, ConfigDialog, 0);
    return 0;
}
