// What the dialog shows, as short strings that assertions can print whole.
#ifndef TESTS_SCREEN_STATE_H
#define TESTS_SCREEN_STATE_H

#include <windows.h>

#include <string>

// One character per check box (1027-1058), '1' where the test holds, a blank
// between groups: "10100000 00110000 10000000 00000001".
std::string BoxPattern(HWND dialog, bool (*holds)(HWND, int));
std::string Checked(HWND dialog);
std::string Enabled(HWND dialog);
// The identifiers of the checked radio buttons (1059-1067), "" when none is.
std::string CheckedRadios(HWND dialog);
// The selected row of the button-count list.
int CountRow(HWND dialog);

#endif
