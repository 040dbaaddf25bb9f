// The dialog's port list as the link sees it.
#ifndef PADCONFIG_PORT_LIST_H
#define PADCONFIG_PORT_LIST_H

#include <windows.h>

// Index into portNames of the chosen port, or -1 when the list's field names
// none of them.
int SelectedPortRow(HWND dialog);

#endif
