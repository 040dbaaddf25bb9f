// padconfig.com: the console program that cmd and PowerShell run for
// "padconfig" before padconfig.exe, so that they wait for it and see its output.
#include "app.h"

int main() { return StartUp(GetModuleHandleW(NULL), true); }
