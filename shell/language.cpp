// Which face the tool shows: the dialog's LANGUAGE blocks are the faces there
// are, so a language more needs resources only.
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

// An ISO 639 name is a few ASCII letters; any other text names no face.
static bool NarrowName(const WCHAR* wide, char* name, int size) {
    int length = lstrlenW(wide);
    if (length >= size) return false;
    for (int i = 0; i <= length; i++) {
        if (wide[i] > 0x7E) return false;
        name[i] = (char)wide[i];
    }
    return true;
}

LANGID ChosenLanguage(const WCHAR* wanted) {
    char name[LANGUAGE_NAME_SIZE] = "";
    if (wanted) return NarrowName(wanted, name, sizeof name) ? FaceNamed(name) : 0;
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
