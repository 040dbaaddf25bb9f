// The real configuration dialog, created from the real template and driven
// by window messages, plus the process-wide state reset between cases.
#ifndef TESTS_DIALOG_HARNESS_H
#define TESTS_DIALOG_HARNESS_H

#include <windows.h>

#include <string>

// Creates the dialog modeless from "MYDLG" with the real dialog procedure, in
// the language the tool chooses at start-up, after returning the link,
// buffers and flags to their start-up state; port as --port gives it.
HWND CreateConfigDialog(int port = 0);
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
std::string ControlText(HWND dialog, int id);  // read as UTF-16, given as UTF-8
// "n<count row> e<enabled check boxes> r<checked radios> <check boxes 1..32>".
std::string ScreenOf(HWND dialog);
// The main window made, then closed as the user closes it.
void CloseMainWindow(void);
std::string Utf8(const wchar_t* text);

#include "expected_texts.h"

// Every text a user reads, by key, in the language of the user's face.
std::string Text(TextKey key);
// Handles whatever messages are queued for this thread.
void PumpMessages(void);

#endif
