// The shipped padconfig.exe run as a launcher or a script runs it.
#ifndef TESTS_SHIPPED_PROGRAM_H
#define TESTS_SHIPPED_PROGRAM_H

#include <string>

struct ProgramRun {
    int exit = -1;       // -1: it had not ended within the time, and was ended
    std::string output;  // standard output and error together, as written
};

// padconfig.exe from beside this program, with arguments (UTF-8), its
// standard output and error sent to one file.
// A run that should have ended (one waiting on a box, say) is ended after 15 s.
ProgramRun RunPadconfig(const std::string& arguments, int timeoutMs = 15000);

#endif
