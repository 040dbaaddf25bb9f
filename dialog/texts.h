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

// The face used when none exists for the user's language (an ISO 639 name).
#define FALLBACK_FACE        "en"
#define PROFILE_EXTENSION    L"padprofile"

#include "../texts/text_ids.h"

#ifndef RC_INVOKED
#include <windows.h>

#include "../texts/load_text.h"
#include "../texts/messages.h"

// The texts go to the system as UTF-16, so they read right on every code page.
void SetTextOf(HWND window, UINT text);
// The same, for a text that holds one %d.
void SetTextWithNumber(HWND window, UINT text, int number);
int ShowMessage(HWND owner, UINT text, UINT caption, UINT flags);

int ShowTextMessage(HWND owner, const WCHAR* body, UINT caption, UINT flags);
void ShowVersionBox(HWND owner);

// The face named by --lang, else (null) the user's UI language's; 0 when
// --lang names a language without one.
LANGID ChosenLanguage(const WCHAR* name);
// Makes the loader take dialogs, menus and strings in this language.
void UseLanguage(LANGID language);
#endif

#endif
