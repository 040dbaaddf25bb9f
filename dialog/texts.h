// Identifiers of the texts the code sets, and names no user reads. The texts
// themselves live in the string tables, one per language (resources/texts_*.h);
// the resource script and the code share this file, so it holds only #defines
// outside RC_INVOKED.
#ifndef PADCONFIG_TEXTS_H
#define PADCONFIG_TEXTS_H

// Class and resource names.
#define TEXT_MAIN_CLASS      L"Brisvel(USB)"
#define RES_DIALOG           "MYDLG"
#define RES_MENU             "MYMENU"
#define RES_TRAY_MENU        "MYTRAY"
#define RES_ICON_MAIN        "MYICON_MAIN"
#define RES_ICON_SEND        "MYICON_SEND"
#define MSG_TASKBAR_CREATED  "TaskbarCreated"  // broadcast when Explorer starts
#define TEXT_RADIO           "Radio2"  // radio buttons too narrow to show a caption
#define WIDE_(text)          L##text
#define WIDE(text)           WIDE_(text)

// The face used when none exists for the user's language (an ISO 639 name).
#define FALLBACK_FACE        "en"

// String table identifiers.
#define TEXT_NOT_CONNECTED   100
#define TEXT_CONNECTED       101
#define TEXT_READ_FAILED     102
#define TEXT_RELEASED        103
#define TEXT_RELEASE_FAILED  104
#define TEXT_FINDING         105
#define TEXT_PAD_ON_PORT     106  // holds %d for the port's number
#define TEXT_PAD_INFO        110
#define TEXT_PAD_INFO_BUSY   111
#define TEXT_RESTART         112
#define TEXT_RESTARTING      113
#define TEXT_OPEN_FAILED     120
#define TEXT_OPEN_CAPTION    121
#define TEXT_PROBE_FAILED    122
#define TEXT_REBOOT_OK       123
#define TEXT_REBOOT_FAILED   124
#define TEXT_REBOOT_CAPTION  125
#define TEXT_NO_PAD          126
#define TEXT_FIND_CAPTION    127
#define TEXT_MAIN_TITLE      130
#define TEXT_TIP_IDLE        131
#define TEXT_TIP_BUSY        132
#define TEXT_ABOUT_APP       133
#define TEXT_ABOUT_EXTRA     134
// Profiles.
#define PROFILE_EXTENSION    L"padprofile"
#define TEXT_PROFILE_FILES   140
#define TEXT_SAVE_FAILED     141  // holds %s for the file
#define TEXT_READ_FILE_FAILED 142 // holds %s for the file
#define TEXT_SAVE_CAPTION    143
#define TEXT_LOAD_CAPTION    144
#define TEXT_ASK_RESTART     145  // the file's count, the pad's
#define TEXT_ALL_ON_PAD      146
#define TEXT_PAD_DIFFERS     147
#define TEXT_COUNT_KEPT      148  // the pad's count
#define TEXT_FILE_DIALOG_FAILED 149  // the dialog's error code
#define TEXT_DIFFERENCE      150  // + DifferenceKind: count (pad's, file's), direction, button not set, button extra
#define TEXT_PROFILE_FAULT   160  // + ProfileFault, each with %d for the line
// The command line.
#define TEXT_USAGE           176
#define TEXT_PORT_UNUSABLE   177  // %d: the port's number (the same for the next three)
#define TEXT_PORT_IN_USE     178
#define TEXT_NOT_A_PAD       179
#define TEXT_LINK_LOST       180
#define TEXT_LOG_FAILED      181  // %s: the file
#define TEXT_NOT_RELEASED    182
#define TEXT_RESTART_HINT    183  // the file's count
#define TEXT_ARGUMENT_FAULT  184  // + ArgumentFault, each with %s for the word at fault
#define TEXT_OUTPUT_FAILED   191
#define TEXT_START_FAILED    208  // %s: the program; a bundle after the neutral one
// In every language at once: shown before a language is chosen. The loader
// takes strings in bundles of 16 identifiers, and a neutral bundle hides the
// same bundle of a language, so these have one to themselves.
#define TEXT_BAD_LANGUAGE    192
#define TEXT_APP_CAPTION 193

#ifndef RC_INVOKED
#include <windows.h>

#include <cstdarg>

// The texts go to the system as UTF-16, so they read right on every code page.
void SetTextOf(HWND window, UINT text);
// The same, for a text that holds one %d.
void SetTextWithNumber(HWND window, UINT text, int number);
int ShowMessage(HWND owner, UINT text, UINT caption, UINT flags);

// A path as long as Windows takes one: 32,767 characters and the NUL.
constexpr int PATH_SIZE = 32768;
// Boxes of several lines, in a buffer of MESSAGE_SIZE characters: room for a
// whole path and the lines around it.
constexpr int MESSAGE_SIZE = PATH_SIZE + 4096;
// The format with its %d and %s filled, into size characters; a text that
// does not fit ends in "…", never cut unseen. Returns the length.
int FormatText(WCHAR* out, int size, const WCHAR* format, ...);
int FormatTextList(WCHAR* out, int size, const WCHAR* format, va_list arguments);
// Appends a line: the text with its %d and %s filled from the arguments.
void AppendText(WCHAR* message, UINT text, ...);
void AppendTextList(WCHAR* message, UINT text, va_list arguments);
void AppendLine(WCHAR* message, const WCHAR* line);
int ShowTextMessage(HWND owner, const WCHAR* body, UINT caption, UINT flags);
void ShowVersionBox(HWND owner);

// The face named by --lang, else (null) the user's UI language's; 0 when
// --lang names a language without one.
LANGID ChosenLanguage(const WCHAR* name);
// Makes the loader take dialogs, menus and strings in this language.
void UseLanguage(LANGID language);
#endif

#endif
