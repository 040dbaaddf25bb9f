// Start-up: the command line, the language and the transcript; then either a
// windowless run, or a hidden main window and the configuration dialog until
// it ends.
#include <windows.h>
#include <shellapi.h>

#include "../cli/console.h"
#include "../cli/run_command.h"
#include "../dialog/config_dialog.h"
#include "../dialog/texts.h"
#include "../link/transcript.h"
#include "app.h"

static int RunDialog(int port) {
    if (!RegisterMainWindowClass()) return 0;
    if (!CreateMainWindow()) return 0;
    DialogBoxParamW(hInstance, WIDE(RES_DIALOG), NULL, ConfigDialog, port);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    hInstance = instance;
    int count = 0;
    WCHAR** words = CommandLineToArgvW(GetCommandLineW(), &count);
    Arguments arguments;
    ArgumentCheck check = ParseArguments(words ? count - 1 : 0, words ? words + 1 : NULL, &arguments);
    if (arguments.mode != RUN_DIALOG || check.fault != ARGUMENTS_OK) AttachToConsole();
    LANGID language = ChosenLanguage(arguments.lang);
    if (!language) return RefuseToStart(arguments, TEXT_BAD_LANGUAGE, NULL, false);
    UseLanguage(language);
    if (check.fault != ARGUMENTS_OK)
        return RefuseToStart(arguments, TEXT_ARGUMENT_FAULT + check.fault, words[check.word + 1], true);
    if (arguments.log && OpenTranscript(arguments.log) != 0)
        return RefuseToStart(arguments, TEXT_LOG_FAILED, arguments.log, false);
    return arguments.mode == RUN_DIALOG ? RunDialog(arguments.port) : RunCommandLine(arguments);
}
