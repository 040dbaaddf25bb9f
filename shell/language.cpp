// Which face the tool shows: the dialog's LANGUAGE blocks are the faces there
// are, so a language more needs resources only.
#include "language.h"

#include "../resources/resource_names.h"
#include "../texts/wide_text.h"

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
    EnumResourceLanguagesA(GetModuleHandleW(NULL), (LPCSTR)RT_DIALOG, RES_DIALOG, MatchFace, (LONG_PTR)&search);
    return search.found;
}

LANGID ChosenLanguage(const WCHAR* wanted) {
    char name[LANGUAGE_NAME_SIZE] = "";
    if (wanted) return NarrowAscii(wanted, name, sizeof name) ? FaceNamed(name) : 0;  // ISO 639 names are ASCII
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
