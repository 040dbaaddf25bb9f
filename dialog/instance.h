// The module the window's menus, icons and dialog template are loaded from;
// the start-up sets it.
#ifndef PADCONFIG_INSTANCE_H
#define PADCONFIG_INSTANCE_H

#include <windows.h>

extern HINSTANCE hInstance;

#endif
