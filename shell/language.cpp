// Which face the tool shows: the dialog's LANGUAGE blocks are the faces there
// are, so a language more needs resources only.
#include <cstring>

#include "../dialog/texts.h"
#include "app.h"

constexpr int LANGUAGE_NAME_SIZE = 9;  // LOCALE_SISO639LANGNAME's limit

struct FaceSearch {
    const char* name;  // ISO 639, as --lang takes it
    LANGID found;
};

static BOOL CALLBACK MatchFace(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR search) {
    FaceSearch* face = (FaceSearch*)search;
    char name[LANGUAGE_NAME_SIZE] = "";
    GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_SISO639LANGNAME, name, sizeof name);
    if (lstrcmpiA(name, face->name) != 0) return TRUE;
    face->found = language;
    return FALSE;
}

static LANGID FaceNamed(const char* name) {
    FaceSearch search = {name, 0};
    EnumResourceLanguagesA(hInstance, (LPCSTR)RT_DIALOG, RES_DIALOG, MatchFace, (LONG_PTR)&search);
    return search.found;
}

// The word after the switch, cut to the buffer; false when there is no switch.
static bool SwitchValue(const char* commandLine, char* value, int size) {
    const char* at = strstr(commandLine, LANG_SWITCH);
    if (!at) return false;
    at += strlen(LANG_SWITCH);
    while (*at == ' ' || *at == '\t') at++;
    int length = 0;
    while (at[length] && at[length] != ' ' && at[length] != '\t' && length < size - 1) length++;
    memcpy(value, at, length);
    value[length] = 0;
    return true;
}

LANGID ChosenLanguage(const char* commandLine) {
    char name[LANGUAGE_NAME_SIZE] = "";
    if (SwitchValue(commandLine, name, sizeof name)) return FaceNamed(name);
    GetLocaleInfoA(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), LOCALE_SISO639LANGNAME, name, sizeof name);
    LANGID own = FaceNamed(name);
    return own ? own : FaceNamed(FALLBACK_FACE);
}

// Windows' loader follows the thread's UI language. Wine's (8.0) ignores it,
// and SetThreadPreferredUILanguages as well, but follows the thread locale.
void UseLanguage(LANGID language) {
    SetThreadUILanguage(language);
    SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
}
