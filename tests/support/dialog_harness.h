// The real configuration dialog, created from the real template and driven
// by window messages, plus the process-wide state reset between cases.
#ifndef TESTS_DIALOG_HARNESS_H
#define TESTS_DIALOG_HARNESS_H

#include <windows.h>

#include <string>

// Creates the dialog modeless from "MYDLG" with the real dialog procedure,
// after returning the link, buffers and flags to their start-up state.
HWND CreateConfigDialog(void);
void DestroyConfigDialog(HWND dialog);

// A click as the control would send it: WM_COMMAND with BN_CLICKED.
LRESULT Click(HWND dialog, int id);
// A click as the user makes it: BM_CLICK, so automatic controls toggle first.
void UserClick(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
// The editing controls (check boxes aside) that are not enabled, or not
// disabled, as wanted: their identifiers, "" when all are as wanted.
std::string EditControlsNot(HWND dialog, bool enabled);
std::string ControlText(HWND dialog, int id);  // code page 932 bytes
// The text of a UTF-8 literal in code page 932, for comparing with the above.
std::string Cp932(const char* utf8);
// Handles whatever messages are queued for this thread.
void PumpMessages(void);

#endif
