// Which face the tool shows, chosen at start-up.
#ifndef PADCONFIG_LANGUAGE_H
#define PADCONFIG_LANGUAGE_H

#include <windows.h>

// The face named by --lang, else (null) the user's UI language's; 0 when
// --lang names a language without one.
LANGID ChosenLanguage(const WCHAR* name);
// Makes the loader take dialogs, menus and strings in this language.
void UseLanguage(LANGID language);

#endif
