// The shipped padconfig.exe run as a launcher or a script runs it.
#ifndef TESTS_SHIPPED_PROGRAM_H
#define TESTS_SHIPPED_PROGRAM_H

#include <functional>
#include <string>

struct ProgramRun {
    int exit = -1;       // -1: it had not ended within the time, and was ended; -2: it did not start
    std::string output;  // standard output as written (RunPadconfigAs: what came through the pipe)
    std::string error;   // RunPadconfig: standard error as written
    std::string screen;  // RunPadconfigAs: the console's text after the run (UTF-8)
};

// padconfig.exe (or program) from beside this program, with arguments
// (UTF-8), its standard output and error each sent to a file of its own, and
// no console. A run that should have ended (one waiting on a box, say) is
// ended after 15 s.
ProgramRun RunPadconfig(const std::string& arguments, int timeoutMs = 15000, const wchar_t* program = L"padconfig.exe");

// RunPadconfig's run of padconfig.com on this program's console, where
// Ctrl+C is raised once due() holds (asked every few milliseconds, for 10 s
// at most), as a user's key reaches a run. Its streams are read as a shell
// decodes them, in the console's output code page.
ProgramRun RunPadconfigInterrupted(const std::string& arguments, const std::function<bool()>& due);

// How a shell hands its streams to padconfig.exe; this program has a console
// (its own, cleared before each run). output is what came through the pipe,
// as the shell decodes it: in the console's output code page, or as UTF-8
// from a run with no console.
// What a file holds from offset on; "" when it cannot be read.
std::string FileText(const std::wstring& path, unsigned long offset = 0);

enum ShellLaunch {
    NO_SHELL,                  // RunPadconfig's way
    PIPE_NO_ERROR,             // standard output a pipe, standard error not given
    PIPE_AND_CONSOLE,          // STARTF_USESTDHANDLES: output a pipe, error the console
    CLOSED_PIPE_AND_CONSOLE,   // the same, the pipe's reading end closed at the start
    PIPE_IN_CODE_PAGE_932,     // PIPE_AND_CONSOLE, the console's output code page 932
    PIPES_WITHOUT_CONSOLE      // output and error the pipe, and no console at all
};
ProgramRun RunPadconfigAs(const std::string& arguments, ShellLaunch launch);

#endif
