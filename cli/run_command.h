// The windowless runs of the command line, on every system.
#ifndef PADCONFIG_RUN_COMMAND_H
#define PADCONFIG_RUN_COMMAND_H

#include "arguments.h"

// What a run tells its caller; the README has the table.
enum ExitCode {
    EXIT_DONE = 0,
    EXIT_PORT = 1,        // the port cannot be opened, is in use, or went away
    EXIT_USAGE = 2,       // bad arguments or a bad file
    EXIT_NOT_A_PAD = 3,   // no answer as a pad: handshake, probe or read
    EXIT_DIFFERS = 4,     // the read-back differs from the file, or the count was kept
    EXIT_RESTART = 5,
    EXIT_INTERRUPTED = 130  // Ctrl+C or a signal: as shells report a run stopped by SIGINT
};

// Runs a mode other than the dialog, on arguments that passed the check.
// Never opens a window: a failure is one line on standard error.
int RunCommandLine(const Arguments& arguments);
// A run that cannot start (its arguments, language or log), told on standard
// error as one line, then the usage when asked. Returns EXIT_USAGE.
int ReportRefusal(unsigned text, const wchar_t* word, bool withUsage);
// The same message, whole, into message (MESSAGE_SIZE characters), for a box.
void FormatRefusal(wchar_t* message, unsigned text, const wchar_t* word, bool withUsage);
// A file or program that could not be used, with the system's reason, as one
// line on standard error. Returns EXIT_USAGE.
int ReportFileFailure(unsigned text, const wchar_t* path, unsigned long error);

#endif
