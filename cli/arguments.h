// The command line's words, checked whole before anything runs. No Windows
// types, so it also builds natively for the sanitizer and fuzzing runs.
#ifndef PADCONFIG_ARGUMENTS_H
#define PADCONFIG_ARGUMENTS_H

#include <cstddef>

#include "../link/serial_port.h"

// What the run does: the dialog unless a mode is named.
enum RunMode { RUN_DIALOG, RUN_READ, RUN_APPLY, RUN_RELEASE_ALL, RUN_HELP, RUN_VERSION, RUN_LIST };

struct Arguments {
    RunMode mode;
    const wchar_t* portName;  // --port PORT, as given; null when none (the same for the rest)
    char port[PORT_PATH_SIZE];  // the system's name of it (serial_port.h); "" when none was named
    bool print;             // --read: the profile to standard output
    const wchar_t* save;    // --save FILE
    const wchar_t* apply;   // --apply FILE
    const wchar_t* log;     // --log FILE
    const wchar_t* lang;    // --lang NAME, checked against the faces there are
    bool restartOk;         // --restart-ok: --apply may restart the pad
};

enum ArgumentFault {
    ARGUMENTS_OK,
    UNKNOWN_OPTION,
    MISSING_VALUE,          // also a value that looks like an option
    BAD_PORT,               // names no port of the system: not COM1..COM256 on Windows
    MODES_CONFLICT,         // two of --read/--save, --apply, --release-all, --list, --help, --version
    REPEATED_OPTION,
    RESTART_WITHOUT_APPLY,
    ARGUMENT_FAULTS
};

struct ArgumentCheck {
    ArgumentFault fault;
    int word;  // index of the word at fault
};

// Options take their value as the next word or after "=": "--port COM3",
// "--port=COM3". The first fault is told; the words after it are still read,
// so that the mode shows whether the run was meant to be windowless.
ArgumentCheck ParseArguments(int count, const wchar_t* const* words, Arguments* arguments);

#endif
