// padconfig.exe: the windowed program, which also takes the command line.
#include "app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return StartUp(instance, false); }
