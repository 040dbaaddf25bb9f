// The program's start, shared by padconfig.exe and its console twin.
#ifndef PADCONFIG_APP_H
#define PADCONFIG_APP_H

#include <windows.h>

// The whole run of either program: consoleTwin for padconfig.com, whose
// dialog is padconfig.exe's. Returns the exit code.
int StartUp(HINSTANCE instance, bool consoleTwin);

#endif
