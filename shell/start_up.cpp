// Start-up: the command line, the language and the transcript; then either a
// windowless run, or a hidden main window and the configuration dialog until
// it ends. The console twin (padconfig.com) runs the same code, waited for
// by the shell; its dialog is the windowed program's.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>

#include "../cli/console.h"
#include "../cli/interruption.h"
#include "../cli/run_command.h"
#include "../cli/windows/attach_console.h"
#include "../dialog/instance.h"
#include "../dialog/main_window.h"
#include "../link/port_names.h"
#include "../link/transcript.h"
#include "../texts/windows/window_texts.h"
#include "app.h"
#include "language.h"

// padconfig.exe beside the twin, with the twin's words; the twin returns at once.
static int StartWindowedProgram(void) {
    static WCHAR path[MAX_PATH + 4], command[32768];
    GetModuleFileNameW(NULL, path, MAX_PATH);
    PathRenameExtensionW(path, L".exe");
    wsprintfW(command, L"\"%s\" ", path);
    lstrcpynW(command + lstrlenW(command), PathGetArgsW(GetCommandLineW()), ARRAYSIZE(command) - lstrlenW(command));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(path, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return ReportFileFailure(TEXT_START_FAILED, path, GetLastError());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return EXIT_DONE;
}

// A run that cannot start: a windowless run tells it on standard error, a
// dialog's in a box; bad arguments go to the console when there is one, even
// for the dialog.
static int RefuseToStart(const Arguments& arguments, UINT text, const WCHAR* word, bool withUsage) {
    if (arguments.mode != RUN_DIALOG || (withUsage && HasConsole())) return ReportRefusal(text, word, withUsage);
    static WCHAR message[MESSAGE_SIZE];
    FormatRefusal(message, text, word, withUsage);
    ShowTextMessage(NULL, message, TEXT_APP_CAPTION, MB_OK | MB_ICONERROR);
    return EXIT_USAGE;
}

int StartUp(HINSTANCE instance, bool consoleTwin) {
    hInstance = instance;
    int count = 0;
    WCHAR** words = CommandLineToArgvW(GetCommandLineW(), &count);
    Arguments arguments;
    ArgumentCheck check = ParseArguments(words ? count - 1 : 0, words ? words + 1 : NULL, &arguments);
    bool dialog = arguments.mode == RUN_DIALOG && check.fault == ARGUMENTS_OK;
    if (!consoleTwin && !dialog) AttachToConsole();
    if (consoleTwin && dialog) return StartWindowedProgram();
    LANGID language = ChosenLanguage(arguments.lang);
    if (!language) return RefuseToStart(arguments, TEXT_BAD_LANGUAGE, NULL, false);
    UseLanguage(language);
    if (check.fault != ARGUMENTS_OK)
        return RefuseToStart(arguments, TEXT_ARGUMENT_FAULT + check.fault, words[check.word + 1], true);
    if (arguments.log && OpenTranscript(arguments.log) != 0)
        return RefuseToStart(arguments, TEXT_LOG_FAILED, arguments.log, false);
    if (arguments.mode != RUN_DIALOG) {
        CatchInterruptions();
        return RunCommandLine(arguments);
    }
    RunDialogWindow(PortNumberOfText(arguments.port, strlen(arguments.port)));
    return 0;
}
