// The dialog's port list: its rows, the user's choice, and what touching it does.
#ifndef PADCONFIG_PORT_LIST_H
#define PADCONFIG_PORT_LIST_H

#include <windows.h>

#include "../link/serial_link.h"

constexpr int PORT_NAME_SIZE = 20;

constexpr int PORT_COUNT = 10;       // rows 0..9 are always "COM1".."COM10"
constexpr int PORT_ROWS_MAX = 256;  // and the ports above them, up to COM256
extern char portNames[PORT_ROWS_MAX][PORT_NAME_SIZE];
extern int portRows;

// Rows 0..9 "COM1".."COM10" with row 0 selected, then the machine's ports above.
void FillPortList(HWND list);
// Selects the row of COMn, adding one after the others when there is none.
void ChoosePort(HWND list, int number);
// Reads the port map again; rows after the ten follow it, and the user's
// choice (a row or a typed text) stays as it was.
void RefreshPortList(HWND list);
// The number n of the chosen port COMn, or 0 when the list's field names none.
int SelectedPortNumber(HWND dialog);
// Its name for the link, "COMn" ("COM0" when it names none).
void SelectedPortName(HWND dialog, char name[PORT_NAME_SIZE]);
// Any notification from the port list: the next action opens the port anew.
void OnPortListNotification(HWND dialog, int code);

#endif
