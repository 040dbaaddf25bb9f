// The dialog's port list as the link sees it.
#ifndef PADCONFIG_PORT_LIST_H
#define PADCONFIG_PORT_LIST_H

#include <windows.h>

// Rows 0..9 "COM1".."COM10" with row 0 selected, then the machine's ports above.
void FillPortList(HWND list);
// Reads the port map again; rows after the ten follow it, and the user's
// choice (a row or a typed text) stays as it was.
void RefreshPortList(HWND list);
// The number n of the chosen port COMn, or 0 when the list's field names none.
int SelectedPortNumber(HWND dialog);

#endif
