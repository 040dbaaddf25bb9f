// The texts of the chosen language, from each system's own store: Windows
// loads them from the resources' string tables, other systems have them
// compiled in from the same files (resources/texts_*.h).
#ifndef PADCONFIG_LOAD_TEXT_H
#define PADCONFIG_LOAD_TEXT_H

#include "text_ids.h"

// The text into size characters; returns its length, 0 when there is none.
int LoadText(unsigned text, wchar_t* out, int size);
// The system's own words for an error code, without a line break.
void SystemErrorText(unsigned long error, wchar_t* out, int size);

// Systems with texts compiled in: the face named by --lang ("ja", "en"),
// else the environment's (LC_ALL, LC_MESSAGES, LANG); false when --lang
// names a language without one. Windows chooses among its resources instead.
bool ChooseTexts(const wchar_t* lang);

#endif
