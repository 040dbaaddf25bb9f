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
std::string Utf8(const wchar_t* text);

// Every text a user reads, by key, in the language of the user's face.
enum TextKey {
    NO_TEXT, NOT_LINKED, CONNECTED, READ_FAILED, RELEASED, RELEASE_FAILED, PAD_INFO, RESTART_USB, PROBE_BOX,
    OPEN_BOX, OPEN_CAPTION, REBOOT_OK, REBOOT_FAILED, REBOOT_CAPTION, TITLE, TIP_IDLE, TIP_BUSY, PAD_ON_COM33,
    NO_PAD, FIND_CAPTION, LOAD_CAPTION, SAVE_CAPTION, SAVE_FAILED, ASK_16, ALL_ON_PAD, ALL_ON_PAD_KEPT_12,
    PAD_DIFFERS_9_12, EMPTY_FILE, LARGE_FILE, NOT_UTF8_2, LONG_LINE_1, NO_SECTION_1, UNKNOWN_KEY_2, REPEATED_KEY_3,
    MISSING_KEY_1, NOT_A_NUMBER_2, BAD_COUNT_2, BAD_DIRECTION_2, BAD_BUTTON_2, ABOVE_COUNT_4, USAGE, NO_ANSWER_COM1,
    UNUSABLE_COM77, IN_USE_COM1, KEPT_12_HINT_16, LOG_FAILED, READ_FILE_FAILED, PAD_DIFFERS_DIRECTION, COUNT_DIFFERS_12_16,
    NOT_RELEASED, LINK_LOST_COM1, UNKNOWN_QUIET, OUTPUT_FAILED, FILE_DIALOG_FAILED,
    MENU_ITEMS,  // both menus, every item: "popup [item | - | item]; ..."
    CAPTIONS,    // the dialog's captions at start-up, check boxes aside: "caption | caption | "
    TEXT_KEYS
};
std::string Text(TextKey key);
// Handles whatever messages are queued for this thread.
void PumpMessages(void);

#endif
