// The windowless runs of the command line.
#ifndef PADCONFIG_RUN_COMMAND_H
#define PADCONFIG_RUN_COMMAND_H

#include <windows.h>

#include "arguments.h"

// What a run tells its caller; the README has the table.
enum ExitCode {
    EXIT_DONE = 0,
    EXIT_PORT = 1,        // the port cannot be opened, is in use, or went away
    EXIT_USAGE = 2,       // bad arguments or a bad file
    EXIT_NOT_A_PAD = 3,   // no answer as a pad: handshake, probe or read
    EXIT_DIFFERS = 4,     // the read-back differs from the file, or the count was kept
    EXIT_RESTART = 5
};

// Runs a mode other than the dialog, on arguments that passed the check.
// Never opens a window: a failure is one line on standard error.
int RunCommandLine(const Arguments& arguments);
// A run that cannot start (its arguments, language or log): a windowless run
// tells it on standard error, a dialog's in a box; bad arguments go to the
// console when there is one, even for the dialog. Returns EXIT_USAGE.
int RefuseToStart(const Arguments& arguments, UINT text, const WCHAR* word, bool withUsage);
// A file or program that could not be used, with the system's reason, as one
// line on standard error. Returns EXIT_USAGE.
int ReportFileFailure(UINT text, const WCHAR* path, DWORD error);

#endif
